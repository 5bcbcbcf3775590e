#include "app/tool_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 32;
constexpr int kHot = 7;  // the hot spot, at the centre of the cross

// A small cross at the hot spot, outlined so that it shows on any background,
// with the tool's sign beside it.
template <typename DrawSign>
QCursor drawnCursor(DrawSign drawSign) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& [colour, width] : {std::pair{Qt::white, 3.0}, std::pair{Qt::black, 1.0}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(kHot + 0.5, 0), QPointF(kHot + 0.5, 2 * kHot + 1));
        p.drawLine(QPointF(0, kHot + 0.5), QPointF(2 * kHot + 1, kHot + 0.5));
    }
    p.translate(14, 14);  // the sign's 16 × 16 square
    drawSign(p);
    p.end();
    return QCursor(pixmap, kHot, kHot);
}

QPen signPen(QColor colour) {
    return QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A rounded box with a character in it (the macro tools' signs).
QCursor boxedCharacter(QChar c) {
    return drawnCursor([c](QPainter& p) {
        p.setPen(signPen(Qt::black));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QString(c));
    });
}

}  // namespace

QCursor toolCursor(ToolCursor cursor) {
    switch (cursor) {
        case ToolCursor::Arrow:
            return QCursor(Qt::ArrowCursor);
        case ToolCursor::Drawing:
            return QCursor(Qt::CrossCursor);
        case ToolCursor::Drag:
            return QCursor(Qt::ClosedHandCursor);
        case ToolCursor::Pan:
            return QCursor(Qt::SizeAllCursor);
        case ToolCursor::Zoom:
            return QCursor(Qt::SizeVerCursor);
        case ToolCursor::Text:
            return QCursor(Qt::IBeamCursor);
        case ToolCursor::Rotate:
            return drawnCursor([](QPainter& p) {
                p.setPen(signPen(Qt::black));
                p.drawArc(QRectF(2, 2, 12, 12), 60 * 16, 280 * 16);
                p.setBrush(Qt::black);
                p.drawPolygon(QPolygonF({QPointF(11, 0), QPointF(15, 4), QPointF(10, 6)}));
            });
        case ToolCursor::MacroInitial:
            return boxedCharacter('1');
        case ToolCursor::MacroFinal:
            return boxedCharacter('2');
        case ToolCursor::Redefine:
            return drawnCursor([](QPainter& p) {
                p.setPen(signPen(QColor(0xe0, 0x7b, 0x00)));
                p.setBrush(QColor(0xe0, 0x7b, 0x00));
                p.drawEllipse(QPointF(4, 11), 3, 3);
                p.setPen(signPen(Qt::black));
                p.drawLine(QPointF(6, 9), QPointF(13, 2));
                p.drawLine(QPointF(13, 2), QPointF(8, 2));
                p.drawLine(QPointF(13, 2), QPointF(13, 7));
            });
        case ToolCursor::Animation:
            return drawnCursor([](QPainter& p) {
                p.setPen(signPen(Qt::black));
                p.setBrush(QColor(0x2f, 0x6f, 0xde));
                p.drawPolygon(QPolygonF({QPointF(3, 2), QPointF(14, 8), QPointF(3, 14)}));
            });
        case ToolCursor::Edit:
            return drawnCursor([](QPainter& p) {
                p.setPen(QPen(Qt::black, 4.0, Qt::SolidLine, Qt::FlatCap));
                p.drawLine(QPointF(4, 12), QPointF(13, 3));
                p.setPen(QPen(QColor(0xe0, 0x7b, 0x00), 2.0, Qt::SolidLine, Qt::FlatCap));
                p.drawLine(QPointF(4.5, 11.5), QPointF(12.5, 3.5));
                p.setPen(signPen(Qt::black));
                p.drawLine(QPointF(2, 14), QPointF(4, 12));
            });
        case ToolCursor::Delete:
            return drawnCursor([](QPainter& p) {
                p.setPen(QPen(QColor(0xc0, 0x10, 0x10), 3.0, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(3, 3), QPointF(13, 13));
                p.drawLine(QPointF(13, 3), QPointF(3, 13));
            });
        case ToolCursor::HideShow:
            return drawnCursor([](QPainter& p) {
                QPainterPath eye;
                eye.moveTo(1, 8);
                eye.quadTo(8, 0, 15, 8);
                eye.quadTo(8, 16, 1, 8);
                p.setPen(signPen(Qt::black));
                p.setBrush(Qt::white);
                p.drawPath(eye);
                p.setBrush(Qt::black);
                p.drawEllipse(QPointF(8, 8), 2, 2);
            });
    }
    return QCursor(Qt::ArrowCursor);
}
