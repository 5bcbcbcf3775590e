#include "view/gl/label_charset.h"

#include <GL/gl.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <string>
#include <vector>

#include "view/gl/diagnostic_trace.h"
#include "view/gl/qt_text.h"

namespace {

constexpr int kCharacterCount = 128;
constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;

// One glyph as glBitmap wants it: rows bottom first, most significant bit leftmost.
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    int originX = 0;  // from the bitmap's left edge to the pen position
    int originY = 0;  // from the bitmap's bottom edge to the baseline
    int advance = 0;
    std::vector<GLubyte> bits;
};

GlyphBitmap rasterise(const QFont& font, const QFontMetrics& metrics, QChar c) {
    GlyphBitmap g;
    g.advance = metrics.horizontalAdvance(c);
    const QRect box = metrics.boundingRect(c);
    const int left = std::min(0, box.left());
    const int right = std::max(g.advance, box.right() + 1);
    const int top = std::min(-metrics.ascent(), box.top());
    const int bottom = std::max(metrics.descent(), box.bottom() + 1);
    g.width = std::max(1, right - left);
    g.height = std::max(1, bottom - top);
    g.originX = -left;
    g.originY = bottom;

    QImage image(g.width, g.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(-left, -top, QString(c));
    }
    const int rowBytes = (g.width + 7) / 8;
    g.bits.assign(static_cast<std::size_t>(rowBytes) * g.height, 0);
    for (int y = 0; y < g.height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(g.height - 1 - y));
        for (int x = 0; x < g.width; ++x)
            if (qGray(line[x]) >= 128)
                g.bits[static_cast<std::size_t>(y * rowBytes + x / 8)] |=
                    static_cast<GLubyte>(0x80 >> (x % 8));
    }
    return g;
}

}  // namespace

LabelCharset::~LabelCharset() {
    release();
}

void LabelCharset::release() {
    if (base_ != 0) glDeleteLists(base_, kCharacterCount);
    base_ = 0;
}

unsigned LabelCharset::build(const FontRecord& font) {
    font_ = font;
    if (!QGuiApplication::instance()) {
        traceDiagnostic("Unable to create a font from the passed logical font descriptor.\n");
        release();
        return 0;
    }
    const QFont qfont = fontFromRecord(font);
    const QFontMetrics metrics(qfont);
    release();
    while (glGetError() != GL_NO_ERROR) {
    }
    const GLuint base = glGenLists(kCharacterCount);
    if (base == 0) {
        traceDiagnostic("Unable to create the charset (no memory for display lists).\n");
        return 0;
    }
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int code = 0; code < kCharacterCount; ++code) {
        glNewList(base + static_cast<GLuint>(code), GL_COMPILE);
        // Control characters have no glyph and do not move the pen.
        if (code >= kFirstPrintable && code <= kLastPrintable) {
            const GlyphBitmap g = rasterise(qfont, metrics, QChar(code));
            glBitmap(g.width, g.height, static_cast<GLfloat>(g.originX), static_cast<GLfloat>(g.originY),
                     static_cast<GLfloat>(g.advance), 0.0f, g.bits.data());
        }
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    if (glGetError() != GL_NO_ERROR) {
        traceDiagnostic("Unable to create the charset (internal error).\n");
        glDeleteLists(base, kCharacterCount);
        return 0;
    }
    base_ = base;
    return base_;
}

void LabelCharset::drawText(std::uint32_t colour, Vec3 rasterPoint, std::string_view text) const {
    glColor3ub(static_cast<GLubyte>(colour & 0xFF), static_cast<GLubyte>((colour >> 8) & 0xFF),
               static_cast<GLubyte>((colour >> 16) & 0xFF));
    if (base_ == 0 || text.empty()) {
        traceDiagnostic("No charset available. Use PrepareCharset2D routines first.\n");
        return;
    }
    // Codes above 127 have no list of their own: they are left out.
    std::string codes;
    codes.reserve(text.size());
    for (const char c : text)
        if (static_cast<unsigned char>(c) < kCharacterCount) codes.push_back(c);
    glDisable(GL_LIGHTING);
    glRasterPos3d(rasterPoint.x, rasterPoint.y, rasterPoint.z);
    glListBase(base_);
    glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
    glEnable(GL_LIGHTING);
}
