#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <filesystem>
#include <string>

#include "io/document_file.h"
#include "io/element_factory.h"
#include "lang/text_encoding.h"
#include "view/gl/qt_text.h"
#include "view/gl/vector_picture.h"
#include "view_gl/offscreen_view.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
        pclose(pipe);
    }
    return text;
}

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("kova_vector_" + name)).string();
}

struct Difference {
    double mean = 0.0;    // mean of the largest channel difference over all pixels
    double strays = 0.0;  // share of pixels whose largest channel difference is over 64
};

Difference compare(const BgrImage& bitmap, const QImage& other) {
    Difference d;
    const QImage image = other.convertToFormat(QImage::Format_RGB32);
    if (image.width() != bitmap.width || image.height() != bitmap.height) return {255.0, 1.0};
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            const QRgb c = image.pixel(x, bitmap.height - 1 - y);
            const int distance = colourDistance(bitmap.pixel(x, y), rgb(qRed(c), qGreen(c), qBlue(c)));
            d.mean += distance;
            d.strays += distance > 64 ? 1.0 : 0.0;
        }
    const double pixels = static_cast<double>(bitmap.width) * bitmap.height;
    return {d.mean / pixels, d.strays / pixels};
}

}  // namespace

// The showcase (a cube, a sphere, a plane, a circle, labels and a text) as SVG
// and PDF: real parsers find every label and the text as text, and rasterised
// the pictures stay close to the bitmap of the same view.
TEST(VectorPicture, ShowcaseAsSvgAndPdfMatchesTheBitmap) {
    OffscreenView view(kWidth, kHeight);
    ASSERT_TRUE(view.ready());
    Document document;
    ASSERT_EQ(readDocument(KOVA_TEST_DATA_DIR "/showcase.g3d", DocumentDefaults{}, document), kReadOk);
    document.recompute();
    const ScreenTextContext texts = qtScreenTexts();
    RenderScene scene = documentScene(document, false);
    scene.screenTexts = &texts;
    const BgrImage bitmap = view.render(scene);

    const VectorPicture picture = vectorPictureOf(scene, view.viewport());
    const std::string svg = tempPath("showcase.svg"), pdf = tempPath("showcase.pdf");
    ASSERT_EQ(writeVectorPicture(svg, VectorFormat::Svg, picture, "showcase"), kImageSaved);
    ASSERT_EQ(writeVectorPicture(pdf, VectorFormat::Pdf, picture, "showcase"), kImageSaved);

    // The SVG through Python's XML parser: its texts, and the shapes that draw the elements.
    const std::string svgTexts = output(
        "python3 -c \"import sys, xml.etree.ElementTree as E; n='{http://www.w3.org/2000/svg}'; "
        "t=E.parse(sys.argv[1]); print('|'+'|'.join(e.text or '' for e in t.iter(n+'text'))+'|'); "
        "print('paths', len(list(t.iter(n+'path'))))\" " +
        svg);
    const std::string pdfText = output("pdftotext '" + pdf + "' -");
    int labels = 0;
    document.construction().forEach([&](const Element& e) {
        if (!e.defined || !e.visible || !e.hasName() || e.showLabel != 1) return;
        const std::string name = windows1252ToUtf8(*e.name());
        EXPECT_NE(svgTexts.find("|" + name + "|"), std::string::npos) << name << "\n" << svgTexts;
        EXPECT_NE(pdfText.find(name), std::string::npos) << name << "\n" << pdfText;
        ++labels;
    });
    EXPECT_GE(labels, 6);
    for (const char* words : {"A cube, a sphere and a circle", "The sphere has centre "}) {
        EXPECT_NE(svgTexts.find(words), std::string::npos) << svgTexts;
        EXPECT_NE(pdfText.find(words), std::string::npos) << pdfText;
    }
    int paths = 0;
    ASSERT_EQ(std::sscanf(svgTexts.substr(svgTexts.find("paths")).c_str(), "paths %d", &paths), 1);
    // The sphere's faces, the plane's pieces, the circle's strokes, the points' discs.
    EXPECT_GT(paths, 100);
    int discs = 0, points = 0;
    for (const VectorShape& s : picture.shapes) discs += s.kind == VectorShape::Kind::Disc ? 1 : 0;
    document.construction().forEach([&](const Element& e) {
        points += e.kind() == ElementKind::Point && e.defined && e.visible && !e.macroIntermediate ? 1 : 0;
    });
    EXPECT_GE(points, 10);
    EXPECT_EQ(discs, points);

    // Rasterised: Qt's SVG renderer and poppler's pdftoppm at 96 pixels per inch.
    QImage fromSvg(kWidth, kHeight, QImage::Format_RGB32);
    {
        QSvgRenderer renderer(QString::fromStdString(svg));
        ASSERT_TRUE(renderer.isValid());
        QPainter painter(&fromSvg);
        renderer.render(&painter);
    }
    const std::string pngStem = tempPath("showcase_pdf");
    output("pdftoppm -r 96 -png -singlefile '" + pdf + "' '" + pngStem + "'");
    const QImage fromPdf(QString::fromStdString(pngStem + ".png"));
    const Difference svgDifference = compare(bitmap, fromSvg), pdfDifference = compare(bitmap, fromPdf);
    std::printf("SVG: mean difference %.2f, %.2f %% pixels over 64; PDF: %.2f, %.2f %%\n", svgDifference.mean,
                100.0 * svgDifference.strays, pdfDifference.mean, 100.0 * pdfDifference.strays);
    for (const Difference& d : {svgDifference, pdfDifference}) {
        EXPECT_LT(d.mean, 4.0);
        EXPECT_LT(d.strays, 0.015);
    }
    for (const std::string& path : {svg, pdf, pngStem + ".png"}) std::filesystem::remove(path);
}

// 500 elements in view — points, segments, circles, planes, polygons and
// spheres — make an SVG file of well under 2 MB.
TEST(VectorPicture, FiveHundredElementsStaySmall) {
    Document document;
    Construction& c = document.construction();
    const KindStyle style{0, 1, 0, 0, 0x2060c0};
    const auto point = [&](Vec3 at) {
        auto* p = static_cast<Point*>(appendElement(c, TypeCode::FreePoint, {}, style));
        p->position = at;
        return p;
    };
    for (int figure = 0; c.count() + 4 <= 500; ++figure) {
        const Vec3 centre{(figure % 7) - 3.0, (figure / 7 % 7) - 3.0, (figure / 49) * 0.5 - 1.0};
        Element* p[3] = {point(centre), point(centre + Vec3{0.3, 0.1, 0.0}),
                         point(centre + Vec3{0.1, 0.3, 0.1})};
        const TypeCode codes[] = {TypeCode::SegmentTwoPoints, TypeCode::CircleThreePoints,
                                  TypeCode::PlaneThreePoints, TypeCode::PolygonVertices,
                                  TypeCode::SphereCentrePoint};
        const TypeCode code = codes[figure % 5];
        const int parents = code == TypeCode::SegmentTwoPoints || code == TypeCode::SphereCentrePoint ? 2 : 3;
        ASSERT_NE(
            appendElement(c, code, std::span<Element* const>(p, static_cast<std::size_t>(parents)), style),
            nullptr);
    }
    document.recompute();
    int elements = 0;
    c.forEach([&](const Element& e) { elements += e.defined ? 1 : 0; });
    EXPECT_GE(elements, 495);

    const VectorPicture picture = vectorPictureOf(documentScene(document, false), {kWidth, kHeight});
    const std::string svg = tempPath("many.svg");
    ASSERT_EQ(writeVectorPicture(svg, VectorFormat::Svg, picture, "many"), kImageSaved);
    const auto bytes = std::filesystem::file_size(svg);
    std::printf("%d elements: %zu shapes, %.0f kB of SVG\n", elements, picture.shapes.size(), bytes / 1024.0);
    EXPECT_LT(bytes, 2u << 20);
    std::filesystem::remove(svg);
}

// Red for the left eye, cyan for the right: a point nearer than the view's
// distance parts with its red image to the right of the cyan one, a point at
// that distance on the line of sight stays in place.
TEST(VectorPicture, AnaglyphPartsTheEyesByDepth) {
    OffscreenView view(200, 200);
    ASSERT_TRUE(view.ready());
    Document document;
    lookDownZ(document, 0);
    document.view.backgroundColour = rgb(255, 255, 255);
    const double distance = -document.view.viewDistance;
    // Both on the line of sight: the near one a third of the way to the eye.
    addPoint(document, {0, 0, distance / 3.0}, rgb(0, 0, 0), 4, 1);
    RenderScene scene = documentScene(document, false);
    scene.anaglyph = true;
    const BgrImage image = view.render(scene);
    // Mean columns of the dark pixels in the red channel and in the green one.
    double redSum = 0, redCount = 0, greenSum = 0, greenCount = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.pixel(x, y);
            if (channel(c, 0) < 128) redSum += x, ++redCount;
            if (channel(c, 1) < 128) greenSum += x, ++greenCount;
        }
    ASSERT_GT(redCount, 0);
    ASSERT_GT(greenCount, 0);
    EXPECT_GT(redSum / redCount - greenSum / greenCount, 3.0);

    // The same point at the view's distance: both eyes see it at the window's centre.
    Document focused;
    lookDownZ(focused, 0);
    focused.view.backgroundColour = rgb(255, 255, 255);
    addPoint(focused, {0, 0, 0}, rgb(0, 0, 0), 4, 1);
    RenderScene sceneAtFocus = documentScene(focused, false);
    sceneAtFocus.anaglyph = true;
    const BgrImage atFocus = view.render(sceneAtFocus);
    redSum = redCount = greenSum = greenCount = 0;
    for (int y = 0; y < atFocus.height; ++y)
        for (int x = 0; x < atFocus.width; ++x) {
            const std::uint32_t c = atFocus.pixel(x, y);
            if (channel(c, 0) < 128) redSum += x, ++redCount;
            if (channel(c, 1) < 128) greenSum += x, ++greenCount;
        }
    ASSERT_GT(redCount, 0);
    EXPECT_NEAR(redSum / redCount, greenSum / greenCount, 0.6);
}
