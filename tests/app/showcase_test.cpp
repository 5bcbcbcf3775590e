// The sample construction of the README: the committed file opens with every
// element defined and is drawn. With KOVA_SHOWCASE_OUT naming a folder, the
// test writes the file anew there and a picture of the main window showing it
// while a segment is being built from the sphere's centre.

#include <QMdiSubWindow>
#include <QPixmap>
#include <cstdlib>

#include "showcase.h"
#include "view/camera.h"
#include "window_fixture.h"

TEST_F(WindowTest, ShowcaseFileOpensDefinedAndIsDrawn) {
    std::string file = dataFile("showcase.g3d");
    const char* out = std::getenv("KOVA_SHOWCASE_OUT");
    if (out) {
        Document built;
        showcase::build(built);
        file = std::string(out) + "/showcase.g3d";
        ASSERT_EQ(writeDocument(built, file, false), 1);
    }

    frame->resize(1000, 720);
    CChildFrame* child = frame->openDocument(file);
    ASSERT_TRUE(shown(child));
    Document& d = child->openDocument()->document;
    int kinds[kKindCount + 1] = {};
    d.construction().forEach([&](const Element& e) {
        EXPECT_TRUE(e.defined) << e.typeCode();
        ++kinds[static_cast<int>(e.kind())];
    });
    EXPECT_EQ(kinds[static_cast<int>(ElementKind::RegularPolyhedron)], 1);
    EXPECT_EQ(kinds[static_cast<int>(ElementKind::Sphere)], 1);
    EXPECT_EQ(kinds[static_cast<int>(ElementKind::Plane)], 1);
    EXPECT_EQ(kinds[static_cast<int>(ElementKind::Circle)], 1);
    EXPECT_EQ(kinds[static_cast<int>(ElementKind::Polygon)], 6);  // the cube's faces
    EXPECT_EQ(kinds[static_cast<int>(ElementKind::Text)], 1);

    const BgrImage image = child->renderImage();
    int drawn = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) drawn += image.pixel(x, y) != d.view.backgroundColour;
    EXPECT_GT(drawn, image.width * image.height / 10);

    if (out) {
        // The segment tool has picked P, shown in the selected colour, and the
        // cursor over empty space shows where the other end would go. The
        // ghost point is drawn by the one redraw after the move: the picture's.
        const Element* p = nullptr;
        d.construction().forEach([&](const Element& e) {
            if (e.name() && *e.name() == "P") p = &e;
        });
        ASSERT_NE(p, nullptr);
        double x = 0, y = 0, depth = 0;
        ASSERT_TRUE(
            projectPoint(d.view, child->viewport(), static_cast<const Point*>(p)->position, x, y, depth));
        const QPoint atP(static_cast<int>(x), static_cast<int>(y));
        frame->action(command::kSegment)->trigger();
        sendMouse(child, QEvent::MouseMove, atP, Qt::NoButton, Qt::NoButton);
        EXPECT_TRUE(child->session()->hover().hovered);
        sendMouse(child, QEvent::MouseButtonPress, atP, Qt::LeftButton, Qt::LeftButton);
        sendMouse(child, QEvent::MouseButtonRelease, atP, Qt::LeftButton, Qt::NoButton);
        EXPECT_EQ(child->session()->pickCount(), 1);
        processEventsUntil([] { return false; }, 300);
        const QPoint empty(child->width() * 17 / 20, child->height() * 23 / 25);
        sendMouse(child, QEvent::MouseMove, empty, Qt::NoButton, Qt::NoButton);
        EXPECT_TRUE(child->session()->ghostRequested());
        ASSERT_TRUE(frame->grab().save(QString::fromUtf8(out) + "/screenshot.png"));
    }
}
