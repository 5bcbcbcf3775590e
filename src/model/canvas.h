#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "geometry/vec3.h"
#include "model/font_record.h"
#include "model/screen_text_context.h"

// The drawing sink that elements draw through. The view supplies an OpenGL
// implementation; tests use one that records the calls. Colours are RGB with
// red in the low byte; size and shape are the element's style indices.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // A point: a screen dot (shape 1) or a small sphere.
    virtual void dot(Vec3 position, std::uint32_t colour, int size, int shape) = 0;
    // A straight piece: a screen line (shape 1) or a tube; extend lengthens a
    // tube slightly so consecutive pieces of a polyline overlap at the joints.
    virtual void segment(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int projection,
                         bool extend) = 0;
    // Size -1 draws the proportions of the coordinate axes.
    virtual void arrow(Vec3 start, Vec3 end, std::uint32_t colour, int size, int shape, int projection) = 0;
    // A translucent convex polygon drawn as given (planes).
    virtual void flatPolygon(std::span<const Vec3> vertices, std::uint32_t colour) = 0;
    // Any simple or self-crossing polygon, tessellated with the odd winding rule.
    virtual void tessellatedPolygon(std::span<const Vec3> vertices, Vec3 normal, std::uint32_t colour) = 0;
    // A circle as a torus of the given number of segments around centre in the
    // plane with the given normal.
    virtual void ring(Vec3 centre, Vec3 normal, double radius, int segments, std::uint32_t colour, int size,
                      int shape) = 0;
    virtual void sphere(Vec3 centre, double radius, std::uint32_t colour) = 0;
    // A cylinder, or a cone when topRadius is 0, standing on baseCentre along axis.
    virtual void cylinder(Vec3 baseCentre, Vec3 axis, double baseRadius, double topRadius, double height,
                          std::uint32_t colour) = 0;
    // A translucent mesh of triangles (three vertices each) with one normal per vertex.
    virtual void triangles(std::span<const Vec3> vertices, std::span<const Vec3> normals,
                           std::uint32_t colour) = 0;
    // Text at a window position (pixels from the top left), in the given font.
    virtual void screenText(int x, int y, std::string_view text, const FontRecord& font,
                            std::uint32_t colour) = 0;
    // A text element's rich text (RTF) laid out in a window box (top-left
    // corner and size in pixels) on the view's background colour; text of the
    // automatic colour is drawn in textColour. A frame colour frames the box 2
    // pixels wide, 1 pixel inside its edges.
    virtual void richText(int x, int y, int width, int height, std::string_view rtf, std::uint32_t textColour,
                          std::optional<std::uint32_t> frameColour) = 0;
    // An element's name next to a model point, in the document's label font.
    virtual void label(Vec3 anchor, std::string_view text, std::uint32_t colour) = 0;
    // The guides of the 3-D mouse position: a line 1 pixel wide without
    // lighting or smoothing, dashed (stipple factor 5, pattern 0x5555) when asked.
    virtual void guideLine(Vec3 a, Vec3 b, std::uint32_t colour, bool dashed) {
        (void)dashed;
        segment(a, b, colour, 0, 1, projection(), false);
    }
    // A square dot of the given size in pixels, without lighting or smoothing.
    virtual void guideDot(Vec3 position, std::uint32_t colour, int pixels) {
        (void)pixels;
        dot(position, colour, 1, 1);
    }

    // View queries.
    virtual int projection() const = 0;  // 0 central, 1 parallel
    // The model point under window point (x, y) at depth 0 (near) … 1 (far).
    virtual Vec3 unproject(double windowX, double windowY, double depth) const = 0;
    // The point moved the given distance towards the viewer along the line of
    // sight through it (where labels are anchored).
    virtual Vec3 towardsViewer(Vec3 point, double distance) const = 0;
    // How the screen texts drawn here measure, and what they show.
    virtual const ScreenTextContext& screenTexts() const = 0;
};
