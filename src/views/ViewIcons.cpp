#include "views/ViewIcons.h"

#include "ui/Icons.h"

#include "views/BrowseSql.h"

#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

#include <cmath>

namespace ViewIcons {

namespace {

QRect iconRect(const QRect &cell, int size, int left)
{
    return QRect(cell.left() + left, cell.bottom() - 2 - size + 1, size, size);
}

void drawBadge(QPainter *painter, const QRect &r, const QColor &fill, const QString &text)
{
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    painter->drawRoundedRect(QRectF(r).adjusted(0.5, 2.5, -0.5, -1.5), 2.5, 2.5);
    QFont font = painter->font();
    font.setBold(true);
    font.setPixelSize(9);
    painter->setFont(font);
    painter->setPen(Qt::white);
    painter->drawText(r.adjusted(0, 1, 0, 0), Qt::AlignCenter, text);
}

QPainterPath starPath(const QRectF &r)
{
    const double outer = r.width() / 2.0;
    return ::starPath(r.center(), outer, outer * 0.45);
}

} // namespace

void drawAlert(QPainter *painter, const QRect &cell, const QString &field)
{
    const QRect r = iconRect(cell, IconSize, 4);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (field == QLatin1String("LENDALERT")) {
        // A borrowed disc: an orange disc with an arrow leaving it.
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(230, 126, 34));
        painter->drawEllipse(QRectF(r).adjusted(1, 1, -1, -1));
        painter->setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF c = QRectF(r).center();
        painter->drawLine(QPointF(c.x() - 4, c.y()), QPointF(c.x() + 4, c.y()));
        painter->drawLine(QPointF(c.x() + 1, c.y() - 3), QPointF(c.x() + 4, c.y()));
        painter->drawLine(QPointF(c.x() + 1, c.y() + 3), QPointF(c.x() + 4, c.y()));
    } else if (field == QLatin1String("WATCHED_ALERT")) {
        // Watched: a green tick.
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(46, 160, 67));
        painter->drawEllipse(QRectF(r).adjusted(1, 1, -1, -1));
        painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF o = QRectF(r).topLeft();
        painter->drawPolyline(QPolygonF({o + QPointF(4.5, 8.5), o + QPointF(7, 11), o + QPointF(11.5, 5.5)}));
    } else if (field == QLatin1String("THREED_ALERT")) {
        drawBadge(painter, r, QColor(41, 128, 185), QStringLiteral("3D"));
    } else if (field == QLatin1String("FOURK_ALERT")) {
        drawBadge(painter, r, QColor(52, 73, 94), QStringLiteral("4K"));
    } else if (field == QLatin1String("HASTRAILER")) {
        // A trailer: a red screen with a play triangle.
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(192, 57, 43));
        painter->drawRoundedRect(QRectF(r).adjusted(0.5, 2.5, -0.5, -1.5), 3, 3);
        painter->setBrush(Qt::white);
        const QPointF o = QRectF(r).topLeft();
        painter->drawPolygon(QPolygonF({o + QPointF(6, 5.5), o + QPointF(6, 11.5), o + QPointF(11, 8.5)}));
    }
    painter->restore();
}

int starsWidth()
{
    return 5 * StarSize + 4;
}

void drawStars(QPainter *painter, const QRect &cell, int rating)
{
    rating = std::clamp(rating, 0, 10);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor gold(241, 179, 0);
    const QColor empty(200, 200, 200);
    for (int i = 0; i < 5; ++i) {
        const QRectF r(cell.left() + 2 + i * (StarSize + 1), cell.bottom() - 2 - StarSize + 1, StarSize, StarSize);
        const QPainterPath star = starPath(r);
        painter->setPen(Qt::NoPen);
        painter->setBrush(empty);
        painter->drawPath(star);
        const int filled = rating - 2 * i; // 2: whole star, 1: half a star
        if (filled <= 0)
            continue;
        painter->save();
        if (filled == 1)
            painter->setClipRect(QRectF(r.left(), r.top(), r.width() / 2, r.height()));
        painter->setBrush(gold);
        painter->drawPath(star);
        painter->restore();
    }
    painter->restore();
}

QRect checkBoxRect(const QRect &cell)
{
    const int size = std::min(13, cell.height() - 2);
    return QRect(cell.left() + 3, cell.top() + (cell.height() - size) / 2, size, size);
}

void drawCheckBox(QPainter *painter, const QRect &box, bool checked, const QPalette &palette)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(palette.color(QPalette::Mid), 1));
    painter->setBrush(checked ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base));
    painter->drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    if (checked) {
        painter->setPen(
            QPen(palette.color(QPalette::HighlightedText), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF o = QRectF(box).topLeft();
        const double s = box.width() / 13.0;
        painter->drawPolyline(
            QPolygonF({o + QPointF(3 * s, 6.5 * s), o + QPointF(5.5 * s, 9 * s), o + QPointF(10 * s, 4 * s)}));
    }
    painter->restore();
}

void drawEmptyCover(QPainter *painter, const QRect &rect, const QPalette &palette)
{
    painter->save();
    painter->setPen(QPen(palette.color(QPalette::Mid), 1, Qt::DashLine));
    painter->setBrush(palette.color(QPalette::AlternateBase));
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

QIcon layoutIcon(int viewType)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 90, 120));
    if (viewType == ViewType::List) {
        for (int i = 0; i < 4; ++i) {
            painter.drawRect(2, 3 + i * 4, 3, 2);
            painter.drawRect(7, 3 + i * 4, 11, 2);
        }
    } else if (viewType == ViewType::Thumbnails) {
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column)
                painter.drawRect(2 + column * 6, 2 + row * 9, 4, 7);
        }
    } else {
        for (int row = 0; row < 2; ++row) {
            painter.drawRect(2, 2 + row * 9, 5, 7);
            painter.drawRect(9, 3 + row * 9, 9, 1);
            painter.drawRect(9, 6 + row * 9, 7, 1);
        }
    }
    painter.end();
    return QIcon(pixmap);
}

} // namespace ViewIcons
