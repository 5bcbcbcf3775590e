#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/view_state.h"
#include "view/vector_canvas.h"

namespace {

const ScreenTextContext kScreen;
constexpr Viewport kViewport{800, 600};
constexpr std::uint32_t kPlane = 0x808080, kLine = 0x0000FF, kNear = 0x00FF00, kCrossing = 0xFF0000;

ViewState obliqueView() {
    ViewState view;
    view.tiltX = -60.0f;  // looking down at the xy plane from the front
    view.spinZ = 0.0f;
    view.projection = 0;
    return view;
}

std::vector<std::size_t> positionsOf(const VectorPicture& p, std::uint32_t colour, VectorShape::Kind kind) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < p.shapes.size(); ++i)
        if (p.shapes[i].kind == kind && p.shapes[i].colour == colour) at.push_back(i);
    return at;
}

}  // namespace

// A vertical line through a horizontal plane: its part below the plane is
// painted before the plane's pieces there, its part above after them; a
// square nearer the eye covers the plane; names are text; a line through
// the eye's plane is cut there and keeps finite window coordinates.
TEST(VectorCanvas, PiecesSortBackToFrontAndLinesAreCutAtTheEye) {
    const ViewState view = obliqueView();
    VectorCanvas canvas(view, kViewport, kScreen, FontRecord{});
    const Vec3 plane[] = {{-3, -3, 0}, {3, -3, 0}, {3, 3, 0}, {-3, 3, 0}};
    canvas.flatPolygon(plane, kPlane);
    canvas.segment({0, 0, -3}, {0, 0, 3}, kLine, 1, 1, 1, false);  // unfogged
    const Vec3 square[] = {{-1, -4, 2}, {1, -4, 2}, {1, -4, 4}, {-1, -4, 4}};
    canvas.tessellatedPolygon(square, {0, 1, 0}, kNear);
    canvas.label({0, 0, 3}, "Top", 0);
    canvas.segment({0, -100, 1}, {0, 100, 1}, kCrossing, 0, 1, 1, false);  // passes behind the eye
    const VectorPicture picture = canvas.picture();

    const auto planePieces = positionsOf(picture, kPlane, VectorShape::Kind::Fill);
    const auto strokes = positionsOf(picture, kLine, VectorShape::Kind::Stroke);
    ASSERT_FALSE(planePieces.empty());
    ASSERT_GT(strokes.size(), 2u);
    // Pieces of the vertical line on both sides of the plane's first piece.
    EXPECT_LT(strokes.front(), planePieces.back());
    EXPECT_GT(strokes.back(), planePieces.front());
    for (const VectorShape& s : picture.shapes) {
        for (const Vec2& p : s.points) {
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
            EXPECT_LT(std::fabs(p.x), 1e5);
        }
    }
    // The near square, lit, comes after every piece of the plane.
    std::size_t squareAt = 0;
    for (std::size_t i = 0; i < picture.shapes.size(); ++i)
        if (picture.shapes[i].kind == VectorShape::Kind::Fill && picture.shapes[i].colour != kPlane)
            squareAt = i;
    EXPECT_GT(squareAt, planePieces.back());
    EXPECT_FALSE(positionsOf(picture, kCrossing, VectorShape::Kind::Stroke).empty());
    ASSERT_EQ(picture.shapes.back().kind, VectorShape::Kind::Text);
    EXPECT_EQ(picture.shapes.back().text, "Top");
    EXPECT_EQ(picture.shapes.back().boxWidth, 0);  // a label: no box behind it
}
