#include "cli/headless_redraw.h"

#include "interaction/view_session.h"
#include "model/canvas.h"
#include "view/camera.h"

namespace {

// Draws nothing; answers the view queries with the session's camera.
class HeadlessCanvas : public Canvas {
  public:
    HeadlessCanvas(const ViewState& view, Viewport viewport, const ScreenTextContext& texts)
        : view_(view), viewport_(viewport), texts_(texts) {}

    void dot(Vec3, std::uint32_t, int, int) override {}
    void segment(Vec3, Vec3, std::uint32_t, int, int, int, bool) override {}
    void arrow(Vec3, Vec3, std::uint32_t, int, int, int) override {}
    void flatPolygon(std::span<const Vec3>, std::uint32_t) override {}
    void tessellatedPolygon(std::span<const Vec3>, Vec3, std::uint32_t) override {}
    void ring(Vec3, Vec3, double, int, std::uint32_t, int, int) override {}
    void sphere(Vec3, double, std::uint32_t) override {}
    void cylinder(Vec3, Vec3, double, double, double, std::uint32_t) override {}
    void triangles(std::span<const Vec3>, std::span<const Vec3>, std::uint32_t) override {}
    void screenText(int, int, std::string_view, const FontRecord&, std::uint32_t) override {}
    void richText(int, int, int, int, std::string_view, std::uint32_t,
                  std::optional<std::uint32_t>) override {}
    void label(Vec3, std::string_view, std::uint32_t) override {}

    int projection() const override { return view_.projection; }
    Vec3 unproject(double windowX, double windowY, double depth) const override {
        return unprojectPoint(view_, viewport_, windowX, windowY, depth);
    }
    Vec3 towardsViewer(Vec3 point, double) const override { return point; }
    const ScreenTextContext& screenTexts() const override { return texts_; }

  private:
    const ViewState& view_;
    Viewport viewport_;
    const ScreenTextContext& texts_;
};

}  // namespace

void headlessPaint(ViewSession& session) {
    session.takeRedraw();
    Document& document = session.document();
    HeadlessCanvas canvas(document.view, session.viewport(), session.screenTexts());
    if (session.toolNumber() == 0 || session.ghostRequested()) session.updateMousePoint();
    session.drawGhost(canvas);
    document.construction().layoutScreenTexts(session.screenTexts());
}
