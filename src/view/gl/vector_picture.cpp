#include "view/gl/vector_picture.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "expr/rich_text.h"
#include "view/axes.h"
#include "view/gl/bitmap_output.h"
#include "view/gl/qt_text.h"
#include "view/gl/rich_text_image.h"

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr int kPictureResolution = 96;
// The dashes of guide lines: 5 pixels on, 5 off.
constexpr double kDashPixels = 5.0;
constexpr double kOutlinedOpacity = 0.9;
constexpr double kSeamPixels = 0.5;

QColor shapeColour(const VectorShape& s) {
    QColor c = qtColour(s.colour);
    c.setAlphaF(static_cast<float>(s.opacity));
    return c;
}

QPointF point(Vec2 v) {
    return {v.x, v.y};
}

// Sets pen and brush only when they change: every change starts a new group in an SVG file.
class PainterState {
  public:
    explicit PainterState(QPainter& painter) : painter_(painter) {}
    void fillOnly(const QColor& colour) {
        if (mode_ != Mode::Fill || colour != colour_) {
            // A nearly opaque fill is outlined in its colour, which hides the
            // seams between the pieces it was cut into.
            if (colour.alphaF() >= kOutlinedOpacity)
                painter_.setPen(QPen(colour, kSeamPixels, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
            else
                painter_.setPen(Qt::NoPen);
            painter_.setBrush(colour);
            mode_ = Mode::Fill;
            colour_ = colour;
        }
    }
    void discOnly(const QColor& colour) {
        if (mode_ != Mode::Disc || colour != colour_) {
            painter_.setPen(Qt::NoPen);
            painter_.setBrush(colour);
            mode_ = Mode::Disc;
            colour_ = colour;
        }
    }
    void strokeOnly(const QColor& colour, double width, bool dashed) {
        if (mode_ != Mode::Stroke || colour != colour_ || width != width_ || dashed != dashed_) {
            QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
            if (dashed) pen.setDashPattern({kDashPixels / width, kDashPixels / width});
            painter_.setPen(pen);
            painter_.setBrush(Qt::NoBrush);
            mode_ = Mode::Stroke;
            colour_ = colour;
            width_ = width;
            dashed_ = dashed;
        }
    }
    void reset() { mode_ = Mode::None; }

  private:
    enum class Mode { None, Fill, Disc, Stroke };
    QPainter& painter_;
    Mode mode_ = Mode::None;
    QColor colour_;
    double width_ = 0.0;
    bool dashed_ = false;
};

}  // namespace

VectorPicture vectorPictureOf(const RenderScene& scene, Viewport viewport) {
    if (!scene.view) return {};
    const ScreenTextContext ownTexts = qtScreenTexts();
    const ScreenTextContext& texts = scene.screenTexts ? *scene.screenTexts : ownTexts;
    VectorCanvas canvas(*scene.view, viewport, texts, scene.labelFont);
    if (scene.view->showAxes) drawAxes(canvas, *scene.view, scene.unitScale);
    if (scene.construction) scene.construction->drawAll(canvas, scene.settings);
    return canvas.picture();
}

void paintVectorPicture(QPainter& painter, const VectorPicture& picture, int pixelsPerInch) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, picture.width, picture.height), qtColour(picture.background));
    PainterState state(painter);
    for (const VectorShape& s : picture.shapes) {
        switch (s.kind) {
            case VectorShape::Kind::Fill: {
                if (s.points.size() < 3) break;
                QPainterPath path;
                path.setFillRule(Qt::OddEvenFill);
                std::size_t next = 0;
                for (std::size_t i = 0; i < s.points.size(); ++i) {
                    const bool starts =
                        i == 0 || (next < s.outlineStarts.size() && s.outlineStarts[next] == i);
                    if (starts) {
                        if (i > 0) {
                            path.closeSubpath();
                            ++next;
                        }
                        path.moveTo(point(s.points[i]));
                    } else {
                        path.lineTo(point(s.points[i]));
                    }
                }
                path.closeSubpath();
                state.fillOnly(shapeColour(s));
                painter.drawPath(path);
                break;
            }
            case VectorShape::Kind::Stroke:
                if (s.points.size() < 2) break;
                state.strokeOnly(shapeColour(s), s.width, s.dashed);
                painter.drawLine(point(s.points[0]), point(s.points[1]));
                break;
            case VectorShape::Kind::Disc:
                if (s.points.empty()) break;
                state.discOnly(shapeColour(s));
                painter.drawEllipse(point(s.points[0]), 0.5 * s.width, 0.5 * s.width);
                break;
            case VectorShape::Kind::Text: {
                const QFont font = fontFromRecord(s.font);
                const QString text = QString::fromStdString(s.text);
                if (s.boxWidth > 0)
                    painter.fillRect(s.x, s.y, s.boxWidth, s.boxHeight, qtColour(s.background));
                painter.setFont(font);
                painter.setPen(qtColour(s.colour));
                const double ascent = s.boxWidth > 0 ? QFontMetricsF(font, painter.device()).ascent() : 0.0;
                painter.drawText(QPointF(s.x, s.y + ascent), text);
                state.reset();
                break;
            }
            case VectorShape::Kind::RichText:
                painter.fillRect(s.x, s.y, s.boxWidth, s.boxHeight, qtColour(s.background));
                painter.save();
                painter.translate(s.x, s.y);
                painter.setClipRect(0, 0, s.boxWidth, s.boxHeight);
                drawRichText(painter, readRichText(s.text), QSize(s.boxWidth, s.boxHeight), s.colour, s.frame,
                             pixelsPerInch);
                painter.restore();
                state.reset();
                break;
        }
    }
}

int writeVectorPicture(const std::string& path, VectorFormat format, const VectorPicture& picture,
                       const std::string& title, int pixelsPerInch) {
    if (picture.width < 1 || picture.height < 1) return kImageNoSurface;
    const QString file = QString::fromStdString(path);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return kImageCannotCreateFile;
    QPainter painter;
    if (format == VectorFormat::Svg) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(picture.width, picture.height));
        svg.setViewBox(QRect(0, 0, picture.width, picture.height));
        svg.setResolution(kPictureResolution);
        svg.setTitle(QString::fromStdString(title));
        if (!painter.begin(&svg)) return kImageCannotCreateFile;
        paintVectorPicture(painter, picture, pixelsPerInch);
        painter.end();
        // Texts keep their spaces: a run of rich text may end in one.
        QByteArray bytes = buffer.data();
        bytes.replace("<svg ", "<svg xml:space=\"preserve\" ");
        return out.write(bytes) == bytes.size() && out.flush() ? kImageSaved : kImageCannotCreateFile;
    }
    QPdfWriter pdf(&out);
    pdf.setResolution(kPictureResolution);
    const QSizeF points(picture.width * kPointsPerInch / kPictureResolution,
                        picture.height * kPointsPerInch / kPictureResolution);
    pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QString::fromStdString(title));
    pdf.setCreator("KOVA 3D");
    if (!painter.begin(&pdf)) return kImageCannotCreateFile;
    paintVectorPicture(painter, picture, pixelsPerInch);
    return painter.end() && out.flush() ? kImageSaved : kImageCannotCreateFile;
}
