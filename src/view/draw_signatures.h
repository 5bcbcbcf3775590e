#pragma once

#include <cstdint>
#include <vector>

#include "model/canvas.h"
#include "model/construction.h"
#include "model/view_state.h"
#include "view/camera.h"

// What each element of a construction draws, reduced to one number: every
// call it makes on the canvas, with all its arguments, hashed in order. Two
// frames in which an element has the same signature draw that element alike,
// whatever changed in the document meanwhile; the view keeps what it drew of
// the elements that did not change (gl/static_layer.h).
struct DrawSignatures {
    std::vector<std::uint64_t> byElement;  // by index; an element not drawn has the empty signature
    std::vector<char> surface;             // of a kind drawn in the surface pass
};

// A canvas that only hashes: the view queries are answered as the view's
// canvas answers them, so elements draw here exactly as they draw there.
class SignatureCanvas : public Canvas {
  public:
    SignatureCanvas(const ViewState& view, Viewport viewport, const ScreenTextContext& texts);

    // The calls from here on are hashed into this signature.
    void beginElement(std::uint64_t& signature) { current_ = &signature; }

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
    template <typename... Values>
    void mix(int call, const Values&... values);
    void mixBytes(const void* data, std::size_t size);

    ViewState view_;
    Viewport viewport_;
    const ScreenTextContext& texts_;
    std::uint64_t scratch_ = 0;
    std::uint64_t* current_ = &scratch_;
};

// The signatures of the elements as drawAll would draw them with these settings.
DrawSignatures drawSignatures(Construction& construction, const DrawSettings& settings, const ViewState& view,
                              Viewport viewport, const ScreenTextContext& texts);

// Hashes bytes into a signature (64 bits), for keys made of several values.
std::uint64_t hashBytes(std::uint64_t hash, const void* data, std::size_t size);
inline constexpr std::uint64_t kEmptySignature = 0xcbf29ce484222325ULL;
