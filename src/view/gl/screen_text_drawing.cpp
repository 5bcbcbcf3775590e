#include "view/gl/screen_text_drawing.h"

#include <GL/gl.h>

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

#include "view/gl/qt_text.h"

namespace {

// Larger boxes are not drawn: the text would cover several screens.
constexpr int kMaxBoxSide = 16384;

// Bottom row first, BGR, rows padded to 4 bytes: what glDrawPixels reads with
// an unpack alignment of 4.
std::vector<GLubyte> bgrRows(const QImage& image, int& rowBytes) {
    rowBytes = (image.width() * 3 + 3) & ~3;
    std::vector<GLubyte> out(static_cast<std::size_t>(rowBytes) * image.height(), 0);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* from = image.constScanLine(image.height() - 1 - y);
        GLubyte* to = out.data() + static_cast<std::size_t>(rowBytes) * y;
        for (int x = 0; x < image.width(); ++x) {
            to[3 * x] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x];
        }
    }
    return out;
}

}  // namespace

TextExtent drawScreenText(int x, int y, std::uint32_t textColour, std::uint32_t backgroundColour,
                          std::string_view text, const FontRecord& font, int viewportWidth,
                          int viewportHeight, double depth) {
    const QFont qfont = fontFromRecord(font);
    const QFontMetrics metrics(qfont);
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const TextExtent extent{metrics.horizontalAdvance(s), metrics.height()};
    if (extent.width <= 0 || extent.height <= 0 || extent.width > kMaxBoxSide || extent.height > kMaxBoxSide)
        return extent;

    QImage image(extent.width, extent.height, QImage::Format_RGB888);
    image.fill(qtColour(backgroundColour));
    {
        QPainter painter(&image);
        painter.setFont(qfont);
        painter.setPen(qtColour(textColour));
        painter.drawText(0, metrics.ascent(), s);
    }

    drawWindowImage(image, x, y, viewportWidth, viewportHeight, depth);
    return extent;
}

void drawWindowImage(const QImage& source, int x, int y, int viewportWidth, int viewportHeight,
                     double depth) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    // Window coordinates of OpenGL count rows from the bottom.
    const long long left = x;
    const long long bottom = static_cast<long long>(viewportHeight) - y - image.height();
    // The raster position must lie inside the window: cut what lies left of or below it.
    const long long skipPixels = left < 0 ? -left : 0;
    const long long skipRows = bottom < 0 ? -bottom : 0;
    const long long drawWidth = image.width() - skipPixels;
    const long long drawHeight = image.height() - skipRows;
    if (drawWidth <= 0 || drawHeight <= 0 || left >= viewportWidth || bottom >= viewportHeight) return;

    int rowBytes = 0;
    const std::vector<GLubyte> pixels = bgrRows(image, rowBytes);

    // An exact window position: a projection that maps eye coordinates onto pixels.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewportWidth, 0.0, viewportHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos3d(static_cast<double>(left + skipPixels), static_cast<double>(bottom + skipRows),
                  1.0 - 2.0 * depth);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, image.width());
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, static_cast<GLint>(skipPixels));
    glPixelStorei(GL_UNPACK_SKIP_ROWS, static_cast<GLint>(skipRows));
    glDrawPixels(static_cast<GLsizei>(drawWidth), static_cast<GLsizei>(drawHeight), GL_BGR, GL_UNSIGNED_BYTE,
                 pixels.data());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
}
