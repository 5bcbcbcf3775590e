#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "geometry/vec2.h"
#include "model/canvas.h"
#include "model/view_state.h"
#include "view/camera.h"

// One flat piece of a vector picture, in window pixels (y downwards).
struct VectorShape {
    enum class Kind { Fill, Stroke, Disc, Text, RichText };
    Kind kind = Kind::Fill;
    // Fill: the outline (filled with the odd winding rule); Stroke: the two
    // ends; Disc: the centre. Texts use (x, y) instead: the top-left corner of
    // a text's box when it has one, else the start of its baseline (labels).
    std::vector<Vec2> points;
    // Fill: where further outlines begin in points (pieces of one polygon
    // painted together, so that no seam shows between them).
    std::vector<std::size_t> outlineStarts;
    std::uint32_t colour = 0;  // RGB, red in the low byte
    double opacity = 1.0;
    double width = 0.0;  // Stroke: the pen's width; Disc: the diameter
    bool dashed = false;
    double depth = 0.0;  // distance from the eye; larger is farther
    int source = 0;      // the drawing call the piece comes from
    // Text and RichText: the string (UTF-8; RTF for rich text), the font of a
    // text, the box (a text with a box is drawn on the background colour, as
    // the view shows numbers) and the colours behind and around a rich text.
    std::string text;
    FontRecord font;
    int x = 0;
    int y = 0;
    int boxWidth = 0;
    int boxHeight = 0;
    std::uint32_t background = 0;
    std::optional<std::uint32_t> frame;
};

// A whole picture: shapes in painting order, back to front, then the texts.
struct VectorPicture {
    int width = 0;
    int height = 0;
    std::uint32_t background = 0;
    std::vector<VectorShape> shapes;
};

// A Canvas that turns what elements draw into flat shapes as the view's camera
// sees them: points as discs, lines as strokes (tubes as strokes as wide as
// the tube looks), surfaces as polygons lit per face like the view's light
// along the line of sight, texts as text. Shapes are sorted back to front by
// their mean distance from the eye. Planes, long lines and polygons large in
// the picture are cut into pieces first (kMaxPiecePixels), so that a line
// through a plane or two planes crossing each other sort piece by piece;
// neighbouring pieces of one polygon that stay neighbours after sorting are
// joined again. Faces of a polyhedron stay whole, so that its near faces
// cover its far ones. Two shapes that cross inside one piece may still be
// painted in the wrong order there, and a small face standing on a large
// one may sort behind the piece it stands on.
class VectorCanvas : public Canvas {
  public:
    // Pieces are at most this many pixels long or across.
    static constexpr double kMaxPiecePixels = 48.0;

    VectorCanvas(const ViewState& view, Viewport viewport, const ScreenTextContext& texts,
                 const FontRecord& labelFont);

    // The shapes drawn so far, sorted; texts come last in the order drawn.
    VectorPicture picture() const;

    void dot(Vec3 position, std::uint32_t colour, int size, int shape) override;
    void segment(Vec3 a, Vec3 b, std::uint32_t colour, int size, int shape, int projection,
                 bool extend) override;
    void arrow(Vec3 start, Vec3 end, std::uint32_t colour, int size, int shape, int projection) override;
    void flatPolygon(std::span<const Vec3> vertices, std::uint32_t colour) override;
    void tessellatedPolygon(std::span<const Vec3> vertices, Vec3 normal, std::uint32_t colour) override;
    void ring(Vec3 centre, Vec3 normal, double radius, int segments, std::uint32_t colour, int size,
              int shape) override;
    void sphere(Vec3 centre, double radius, std::uint32_t colour) override;
    void cylinder(Vec3 baseCentre, Vec3 axis, double baseRadius, double topRadius, double height,
                  std::uint32_t colour) override;
    void triangles(std::span<const Vec3> vertices, std::span<const Vec3> normals,
                   std::uint32_t colour) override;
    void screenText(int x, int y, std::string_view text, const FontRecord& font,
                    std::uint32_t colour) override;
    void richText(int x, int y, int width, int height, std::string_view rtf, std::uint32_t textColour,
                  std::optional<std::uint32_t> frameColour) override;
    void label(Vec3 anchor, std::string_view text, std::uint32_t colour) override;
    void guideLine(Vec3 a, Vec3 b, std::uint32_t colour, bool dashed) override;
    void guideDot(Vec3 position, std::uint32_t colour, int pixels) override;

    int projection() const override { return view_.projection; }
    Vec3 unproject(double windowX, double windowY, double depth) const override;
    Vec3 towardsViewer(Vec3 point, double distance) const override;
    const ScreenTextContext& screenTexts() const override { return texts_; }

  private:
    // A round dot of the given width in pixels at a model point, unless it
    // lies behind the eye or wholly outside the window.
    void disc(Vec3 position, double width, std::uint32_t colour);
    struct Projected {
        Vec2 window;
        double depth = 0.0;  // distance from the eye along its axis
    };
    Vec3 toEye(Vec3 p) const;
    Projected project(Vec3 eye) const;
    // Pixels one model unit covers at the point, across the line of sight.
    double pixelsPerUnit(Vec3 p) const;
    // The light of the view on a face whose normal (model space) is given,
    // lit from both sides.
    std::uint32_t lit(std::uint32_t colour, Vec3 normal) const;
    std::uint32_t fogged(std::uint32_t colour, double depth, int projection) const;
    // A straight stroke, cut at the near plane and the window's edges and into pieces.
    void stroke(Vec3 a, Vec3 b, std::uint32_t colour, double width, bool dashed, bool fog);
    // A planar polygon, cut at the near plane; convex ones longer than the
    // given pixels are cut into triangles of about half that size.
    void fill(std::span<const Vec3> vertices, std::uint32_t colour, double opacity, double splitPixels);
    void fillPiece(const std::vector<Vec3>& eyeVertices, std::uint32_t colour, double opacity, int level,
                   double splitPixels);
    double largePixels() const;
    void quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, std::uint32_t colour, double opacity);
    int sidesFor(Vec3 centre, double radius) const;

    ViewState view_;
    Viewport viewport_;
    Matrix4 modelView_;
    Matrix4 projection_;
    const ScreenTextContext& texts_;
    FontRecord labelFont_;
    std::vector<VectorShape> shapes_;
    std::vector<VectorShape> texts2d_;
    int source_ = 0;
};
