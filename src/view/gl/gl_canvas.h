#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

#include <QImage>

#include "model/canvas.h"
#include "model/view_state.h"
#include "view/camera.h"
#include "view/gl/ball_impostors.h"
#include "view/gl/level_of_detail.h"
#include "view/gl/live_tiles.h"
#include "view/gl/polygon_tessellator.h"
#include "view/gl/qt_text.h"
#include "view/gl/quadric_meshes.h"
#include "view/gl/sphere_impostors.h"
#include "view/gl/surface_fragments.h"
#include "view/gl/tube_impostors.h"

class LabelCharset;

// How name labels reach the image: through the label character set (a view
// drawing into its own window) or as screen text (a view drawn off-screen).
enum class LabelPath { Charset, ScreenText };

// The Canvas of the OpenGL view: elements draw through it with OpenGL 1.1 and
// GLU while a context with the view's fixed state is current.
//
//   GlCanvas canvas;                         // with the context current
//   canvas.beginFrame(document.view, {w, h}); // after the projection and camera are loaded
//   construction.drawAll(canvas, settings);
//
// The Renderer does all of this; the window uses a GlCanvas only through it.
// The canvas holds the frame's camera for its view queries (unproject, the
// line of sight of labels), and the fog colour is the frame's clear colour.
class GlCanvas : public Canvas {
  public:
    using WarningHandler = std::function<void(const std::string& message)>;

    GlCanvas();
    GlCanvas(const GlCanvas&) = delete;
    GlCanvas& operator=(const GlCanvas&) = delete;

    void beginFrame(const ViewState& view, Viewport viewport);
    // A tessellation error goes here (the window shows it as a warning);
    // by default it goes to the diagnostic trace.
    void setWarningHandler(WarningHandler handler);
    void setLabelCharset(const LabelCharset* charset) { charset_ = charset; }
    void setLabelPath(LabelPath path) { labelPath_ = path; }
    void setLabelFont(const FontRecord& font) { labelFont_ = font; }
    // The screen texts of the view drawn; nullptr: Qt's measure, "?" and 96
    // pixels per inch. The context must outlive its use here.
    void setScreenTexts(const ScreenTextContext* texts) { screenTexts_ = texts ? texts : &ownScreenTexts_; }
    QuadricMeshes& meshes() { return meshes_; }
    // Quadrics cut as finely as their size on screen needs (level_of_detail.h);
    // off, every quadric gets its full mesh. Takes effect at the next frame.
    void setLevelOfDetail(bool on) { levelOfDetail_ = on; }
    // The canvas's own settings that change what it draws, as one number.
    std::uint64_t settingsKey() const {
        return (levelOfDetail_ ? 1u : 0u) | (meshes_.caching() ? 2u : 0u) |
               (labelPath_ == LabelPath::ScreenText ? 4u : 0u);
    }
    // Small balls, tubes, arrow heads and rings are opaque: they are gathered
    // by the state they are drawn in (mesh_batch.h), whatever their order, and
    // drawn when anything else is drawn, when a batch is full, and here; the
    // renderer calls it before it draws anything itself.
    void flush();
    // While set, the surfaces' faces keep their fragments there too, and
    // anything else drawn spoils them (surface_fragments.h).
    void setKeptFragments(SurfaceFragments* fragments) { kept_ = fragments; }
    // While set, what is drawn marks the tiles it may cover there.
    void setLiveTiles(LiveTiles* tiles) { live_ = tiles; }
    // Triangles of quadrics, rings and meshes sent since the frame began.
    long trianglesDrawn() const { return triangles_; }

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
    const ScreenTextContext& screenTexts() const override { return *screenTexts_; }

  private:
    // A cylinder or cone (top radius 0) from start along the direction.
    struct Tube {
        Vec3 start;
        Vec3 direction;
        double length = 0.0;
        double baseRadius = 0.0;
        double topRadius = 0.0;
    };
    // The state the opaque quadrics of points and lines are drawn in: fog for
    // tubes and arrows in central projection, one-sided lighting for them and
    // rings. The back faces of a small closed shape (a ball, a ring) lie behind
    // its front faces and are culled when it is gathered.
    struct OpaqueStyle {
        bool fog = false;
        bool twoSided = true;
        bool cullBack = false;
        bool operator==(const OpaqueStyle&) const = default;
        std::size_t index() const { return (fog ? 1u : 0u) | (twoSided ? 2u : 0u) | (cullBack ? 4u : 0u); }
    };
    static constexpr std::size_t kOpaqueStyles = 8;

    void fogOn(int projection) const;
    void flatLine(Vec3 a, Vec3 b, std::uint32_t colour, int size, int projection);
    void applyStyle(OpaqueStyle style) const;
    void restoreStyle(OpaqueStyle style) const;
    void ball(Vec3 centre, double radius, std::uint32_t colour);
    void solidCylinder(const Tube& c, MeshCounts full, int projection, std::uint32_t colour);
    // A tube thinner than a few pixels gathered as a flat band; false (nothing
    // added) when it cannot be drawn so.
    bool thinTube(const Tube& c, OpaqueStyle style, std::uint32_t colour);
    void drawThinTubes();
    void gather(OpaqueStyle style, const UnitMesh& mesh, const MeshPlacement& where, std::uint32_t colour);
    // The batch of the style, drawn first when it is full.
    MeshBatch& batchFor(OpaqueStyle style);
    void drawBatch(OpaqueStyle style);
    double cylinderPixels(const Tube& c) const;
    // Small shapes are gathered; a large one (and every one without cached
    // meshes) is drawn at once from its GLU mesh, as it always was.
    bool gathering(double pixels) const;
    void drawCylinder(const Tube& c, MeshCounts counts);
    // Pixels a circle of the given radius covers on a quadric inside the ball (centre, reach).
    double pixelRadius(Vec3 centre, double reach, double radius) const;
    // A translucent surface: its far side, then its near side over it, or one
    // draw that does both (sphere impostors).
    void surfacePasses(const std::function<void()>& draw, std::uint32_t colour, bool twoPasses);
    // Something other than a surface's faces is drawn: the kept fragments cannot hold it.
    void notKept() {
        if (kept_) kept_->spoil();
    }
    // Something other than a ball or tube is drawn: it may cover any tile.
    void drawnAnywhere() {
        if (live_) live_->markAll();
    }

    ViewState view_;
    Viewport viewport_;
    bool levelOfDetail_ = true;
    DetailScale detail_;
    QuadricMeshes meshes_;
    std::array<MeshBatch, kOpaqueStyles> batches_;  // by OpaqueStyle::index()
    TubeImpostors thinTubes_;                       // the thinnest tubes, gathered too
    bool thinTubesFogged_ = false;                  // the style of those gathered
    BallImpostors flatBalls_;                       // the smallest balls, gathered too
    SphereImpostors roundBalls_;                    // other balls small in the view, gathered too
    SphereImpostors surfaceSpheres_;                // translucent spheres small in the view
    long triangles_ = 0;
    SurfaceFragments* kept_ = nullptr;
    LiveTiles* live_ = nullptr;
    PolygonTessellator tessellator_;
    const LabelCharset* charset_ = nullptr;
    LabelPath labelPath_ = LabelPath::Charset;
    FontRecord labelFont_;
    ScreenTextContext ownScreenTexts_ = qtScreenTexts();
    const ScreenTextContext* screenTexts_ = &ownScreenTexts_;
    // Laid-out text elements by everything their image depends on: laying out
    // rich text costs far more than copying its pixels, and texts rarely change.
    std::unordered_map<std::string, QImage> richTextImages_;
    std::int64_t cachedTextPixels_ = 0;
};
