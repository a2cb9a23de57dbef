#include "ui/Icons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>
#include <cmath>
#include <functional>

namespace {

// Every glyph is drawn on a 32 x 32 design grid and scaled to the requested size.
enum class Glyph {
    Folder,
    Home,
    Film,
    Disc,
    Person,
    Persons,
    Loan,
    Gift,
    Chart,
    Report,
    Star,
    Eye,
    Trophy,
    TrophyPerson,
    Clock,
    Heart,
    Tag,
    Bookmark,
    Calendar,
    Note,
    Screen,
    Globe,
    Key,
    Flag,
    Box,
    Bolt,
    Check,
    List,
    Grid,
    Cards,
    Square,
    Cylinder,
    ArrowUp,
    ArrowDown,
    ArrowLeft,
    Cross,
    Question,
    Plus,
    Chevron,
};

struct IconSpec
{
    Glyph glyph;
    QColor color;
};

const std::array<int, 4> kSizes = {16, 24, 32, 48};

QColor darker(const QColor &c)
{
    return c.darker(160);
}

void drawPerson(QPainter &p, QPointF at, double scale, const QColor &color)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setBrush(color);
    p.drawEllipse(QPointF(16, 10), 6, 6);
    QPainterPath body;
    body.moveTo(4, 29);
    body.cubicTo(4, 17, 28, 17, 28, 29);
    body.closeSubpath();
    p.drawPath(body);
    p.restore();
}

void drawTrophy(QPainter &p, const QColor &color)
{
    QPainterPath cup;
    cup.moveTo(9, 4);
    cup.lineTo(23, 4);
    cup.cubicTo(23, 14, 20, 18, 16, 19);
    cup.cubicTo(12, 18, 9, 14, 9, 4);
    cup.closeSubpath();
    p.setBrush(color);
    p.drawPath(cup);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 6, 8, 8), 90 * 16, 180 * 16);
    p.drawArc(QRectF(20, 6, 8, 8), 270 * 16, 180 * 16);
    p.setBrush(color);
    p.drawRect(QRectF(14.5, 19, 3, 5));
    p.drawRoundedRect(QRectF(9, 24, 14, 4), 1, 1);
}

void drawGlyph(QPainter &p, Glyph glyph, const QColor &color)
{
    const QColor outline = darker(color);
    p.setPen(QPen(outline, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    switch (glyph) {
    case Glyph::Folder:
        p.drawRoundedRect(QRectF(3, 6, 11, 6), 1.5, 1.5);
        p.drawRoundedRect(QRectF(3, 9, 26, 18), 2, 2);
        break;
    case Glyph::Home: {
        const QPolygonF house{{16, 4}, {29, 16}, {25, 16}, {25, 28}, {7, 28}, {7, 16}, {3, 16}};
        p.drawPolygon(house);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(13, 19, 6, 9));
        break;
    }
    case Glyph::Film:
        p.setBrush(QColor(50, 50, 60));
        p.drawRoundedRect(QRectF(5, 3, 22, 26), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int y = 5; y < 28; y += 5) {
            p.drawRect(QRectF(6.5, y, 2.5, 2.5));
            p.drawRect(QRectF(23, y, 2.5, 2.5));
        }
        p.setBrush(color);
        p.drawRect(QRectF(11, 6, 10, 8));
        p.drawRect(QRectF(11, 18, 10, 8));
        break;
    case Glyph::Disc: {
        QRadialGradient shine(QPointF(12, 12), 16);
        shine.setColorAt(0, color.lighter(150));
        shine.setColorAt(1, color);
        p.setBrush(shine);
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 4, 4);
        p.setBrush(outline);
        p.drawEllipse(QPointF(16, 16), 1.5, 1.5);
        break;
    }
    case Glyph::Person:
        drawPerson(p, QPointF(0, 0), 1.0, color);
        break;
    case Glyph::Persons:
        drawPerson(p, QPointF(10, 2), 0.7, color.lighter(130));
        drawPerson(p, QPointF(0, 6), 0.8, color);
        break;
    case Glyph::Loan: {
        p.drawRect(QRectF(3, 11, 14, 14));
        p.drawLine(QPointF(3, 16), QPointF(17, 16));
        QPainterPath arrow;
        arrow.moveTo(19, 15);
        arrow.lineTo(24, 15);
        arrow.lineTo(24, 10);
        arrow.lineTo(30, 18);
        arrow.lineTo(24, 26);
        arrow.lineTo(24, 21);
        arrow.lineTo(19, 21);
        arrow.closeSubpath();
        p.setBrush(color.lighter(130));
        p.drawPath(arrow);
        break;
    }
    case Glyph::Gift:
        p.drawRect(QRectF(5, 13, 22, 15));
        p.drawRect(QRectF(4, 9, 24, 5));
        p.setBrush(QColor(200, 40, 40));
        p.drawRect(QRectF(14, 9, 4, 19));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(9, 3, 7, 6));
        p.drawEllipse(QRectF(16, 3, 7, 6));
        break;
    case Glyph::Chart:
        p.drawLine(QPointF(4, 28), QPointF(29, 28));
        p.drawRect(QRectF(6, 17, 5, 11));
        p.setBrush(color.lighter(130));
        p.drawRect(QRectF(13.5, 8, 5, 20));
        p.setBrush(color.darker(120));
        p.drawRect(QRectF(21, 13, 5, 15));
        break;
    case Glyph::Report: {
        const QPolygonF page{{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}};
        p.setBrush(Qt::white);
        p.drawPolygon(page);
        p.setBrush(color);
        p.drawPolygon(QPolygonF{{20, 3}, {20, 9}, {26, 9}});
        p.setPen(QPen(color, 1.5));
        for (int y = 13; y <= 25; y += 4)
            p.drawLine(QPointF(10, y), QPointF(23, y));
        break;
    }
    case Glyph::Star:
        p.drawPath(starPath(QPointF(16, 17), 14, 6));
        break;
    case Glyph::Eye: {
        QPainterPath eye;
        eye.moveTo(3, 16);
        eye.quadTo(16, 3, 29, 16);
        eye.quadTo(16, 29, 3, 16);
        p.setBrush(Qt::white);
        p.drawPath(eye);
        p.setBrush(color);
        p.drawEllipse(QPointF(16, 16), 5.5, 5.5);
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QPointF(16, 16), 2.2, 2.2);
        break;
    }
    case Glyph::Trophy:
        drawTrophy(p, color);
        break;
    case Glyph::TrophyPerson:
        p.save();
        p.translate(10, 0);
        p.scale(0.7, 0.7);
        drawTrophy(p, color);
        p.restore();
        drawPerson(p, QPointF(0, 8), 0.75, QColor(70, 110, 170));
        break;
    case Glyph::Clock:
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setPen(QPen(color, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), QPointF(16, 8));
        p.drawLine(QPointF(16, 16), QPointF(22, 19));
        break;
    case Glyph::Heart: {
        QPainterPath heart;
        heart.moveTo(16, 28);
        heart.cubicTo(2, 18, 3, 5, 11, 5);
        heart.cubicTo(14, 5, 16, 8, 16, 10);
        heart.cubicTo(16, 8, 18, 5, 21, 5);
        heart.cubicTo(29, 5, 30, 18, 16, 28);
        p.drawPath(heart);
        break;
    }
    case Glyph::Tag: {
        const QPolygonF tag{{4, 6}, {15, 6}, {28, 19}, {17, 30}, {4, 17}};
        p.drawPolygon(tag);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(9.5, 11.5), 2.2, 2.2);
        break;
    }
    case Glyph::Bookmark:
        p.drawPolygon(QPolygonF{{8, 3}, {24, 3}, {24, 29}, {16, 22}, {8, 29}});
        break;
    case Glyph::Calendar:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 6, 24, 22));
        p.setBrush(color);
        p.drawRect(QRectF(4, 6, 24, 6));
        p.setPen(Qt::NoPen);
        p.setBrush(outline);
        for (int y = 15; y <= 23; y += 4) {
            for (int x = 7; x <= 23; x += 5)
                p.drawRect(QRectF(x, y, 3, 2.5));
        }
        break;
    case Glyph::Note:
        p.drawEllipse(QPointF(10, 24), 5, 4);
        p.drawEllipse(QPointF(23, 21), 5, 4);
        p.setPen(QPen(outline, 2.5));
        p.drawLine(QPointF(14.5, 24), QPointF(14.5, 6));
        p.drawLine(QPointF(27.5, 21), QPointF(27.5, 4));
        p.drawLine(QPointF(14.5, 6), QPointF(27.5, 4));
        break;
    case Glyph::Screen:
        p.setBrush(QColor(40, 40, 50));
        p.drawRoundedRect(QRectF(3, 5, 26, 18), 2, 2);
        p.setBrush(color);
        p.drawRect(QRectF(6, 8, 20, 12));
        p.setBrush(outline);
        p.drawRect(QRectF(10, 26, 12, 2.5));
        break;
    case Glyph::Globe:
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 6, 13);
        p.drawLine(QPointF(3, 16), QPointF(29, 16));
        p.drawLine(QPointF(16, 3), QPointF(16, 29));
        break;
    case Glyph::Key:
        p.drawEllipse(QPointF(10, 16), 7, 7);
        p.drawRect(QRectF(16, 14, 13, 4));
        p.drawRect(QRectF(24, 18, 3, 5));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(9, 16), 2.5, 2.5);
        break;
    case Glyph::Flag:
        p.setPen(QPen(outline, 2.5));
        p.drawLine(QPointF(7, 4), QPointF(7, 29));
        p.setPen(QPen(outline, 1.5));
        p.drawPolygon(QPolygonF{{7, 5}, {27, 5}, {22, 11}, {27, 17}, {7, 17}});
        break;
    case Glyph::Box:
        p.drawPolygon(QPolygonF{{16, 3}, {29, 9}, {16, 15}, {3, 9}});
        p.setBrush(color.darker(115));
        p.drawPolygon(QPolygonF{{3, 9}, {16, 15}, {16, 29}, {3, 23}});
        p.setBrush(color.darker(135));
        p.drawPolygon(QPolygonF{{29, 9}, {16, 15}, {16, 29}, {29, 23}});
        break;
    case Glyph::Bolt:
        p.drawPolygon(QPolygonF{{19, 2}, {6, 18}, {15, 18}, {12, 30}, {26, 12}, {17, 12}});
        break;
    case Glyph::Check:
        p.setPen(QPen(color, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF{{5, 17}, {13, 25}, {27, 7}});
        break;
    case Glyph::List:
        for (int y = 7; y <= 25; y += 6) {
            p.drawRect(QRectF(4, y - 2, 4, 4));
            p.drawRect(QRectF(11, y - 1.5, 17, 3));
        }
        break;
    case Glyph::Grid:
        for (int x : {4, 18}) {
            for (int y : {4, 18})
                p.drawRoundedRect(QRectF(x, y, 10, 10), 1.5, 1.5);
        }
        break;
    case Glyph::Cards:
        for (int y : {4, 18}) {
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(3, y, 26, 10), 1.5, 1.5);
            p.setBrush(color);
            p.drawRect(QRectF(5, y + 2, 6, 6));
            p.drawLine(QPointF(14, y + 3.5), QPointF(26, y + 3.5));
            p.drawLine(QPointF(14, y + 6.5), QPointF(22, y + 6.5));
        }
        break;
    case Glyph::Square:
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        break;
    case Glyph::Cylinder:
        p.drawRect(QRectF(5, 8, 22, 17));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(5.8, 8, 20.4, 17));
        p.setPen(QPen(outline, 1.5));
        p.drawEllipse(QRectF(5, 20, 22, 8));
        p.setBrush(color.lighter(130));
        p.drawEllipse(QRectF(5, 4, 22, 8));
        break;
    case Glyph::ArrowUp:
        p.drawPolygon(QPolygonF{{16, 3}, {28, 16}, {21, 16}, {21, 29}, {11, 29}, {11, 16}, {4, 16}});
        break;
    case Glyph::ArrowDown:
        p.drawPolygon(QPolygonF{{16, 29}, {28, 16}, {21, 16}, {21, 3}, {11, 3}, {11, 16}, {4, 16}});
        break;
    case Glyph::ArrowLeft:
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{17, 9}, {10, 16}, {17, 23}});
        p.drawLine(QPointF(10, 16), QPointF(23, 16));
        break;
    case Glyph::Cross:
        p.setPen(QPen(color, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    case Glyph::Question: {
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setPen(Qt::white);
        QFont font;
        font.setPixelSize(20);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Glyph::Plus:
        p.setPen(QPen(color, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 6), QPointF(16, 26));
        p.drawLine(QPointF(6, 16), QPointF(26, 16));
        break;
    case Glyph::Chevron:
        p.setPen(QPen(color, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF{{7, 20}, {16, 11}, {25, 20}});
        break;
    }
}

// Draws a picture at every size the windows ask for.
QIcon drawnIcon(const std::function<void(QPainter &)> &paint)
{
    QIcon icon;
    for (int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon glyphIcon(Glyph glyph, const QColor &color)
{
    return drawnIcon([=](QPainter &p) { drawGlyph(p, glyph, color); });
}

// Icons that carry a small plus or a size mark in their corner.
QIcon composedIcon(Glyph glyph, const QColor &color, Glyph badge, const QColor &badgeColor)
{
    return drawnIcon([=](QPainter &p) {
        drawGlyph(p, glyph, color);
        p.save();
        p.translate(15, 15);
        p.scale(0.55, 0.55);
        drawGlyph(p, badge, badgeColor);
        p.restore();
    });
}

QIcon sizeIcon(double edge)
{
    const QColor color(70, 120, 190);
    return drawnIcon([=](QPainter &p) {
        p.setPen(QPen(color.darker(160), 1.5));
        p.setBrush(color);
        const double offset = (32 - edge) / 2;
        p.drawRoundedRect(QRectF(offset, offset, edge, edge), 1.5, 1.5);
    });
}

// The named entries of the user-view icon list; the indexes of the fixed tree nodes and of the
// standard user views are stored data and keep their pictures.
const QHash<int, IconSpec> &namedViewIcons()
{
    static const QHash<int, IconSpec> icons = {
        {0, {Glyph::Folder, QColor(230, 190, 80)}},   {11, {Glyph::Star, QColor(245, 190, 40)}},
        {12, {Glyph::Home, QColor(70, 130, 200)}},    {21, {Glyph::Disc, QColor(150, 160, 180)}},
        {23, {Glyph::Eye, QColor(80, 150, 210)}},     {29, {Glyph::Disc, QColor(40, 110, 210)}},
        {42, {Glyph::Film, QColor(240, 150, 50)}},    {43, {Glyph::Persons, QColor(90, 140, 90)}},
        {44, {Glyph::Loan, QColor(200, 150, 90)}},    {45, {Glyph::Gift, QColor(120, 180, 230)}},
        {50, {Glyph::Clock, QColor(70, 130, 200)}},   {54, {Glyph::TrophyPerson, QColor(225, 180, 50)}},
        {55, {Glyph::Trophy, QColor(225, 180, 50)}},  {76, {Glyph::Chart, QColor(90, 160, 90)}},
        {77, {Glyph::Report, QColor(120, 120, 200)}},
    };
    return icons;
}

constexpr int kViewIconCount = 80;

IconSpec viewIconSpec(int index)
{
    const auto named = namedViewIcons().constFind(index);
    if (named != namedViewIcons().cend())
        return *named;
    // The rest of the list gives the icon choice of the view dialog variety: every glyph in a
    // few colours, always the same picture for the same index.
    static const std::array<Glyph, 20> glyphs = {
        Glyph::Film,  Glyph::Disc,   Glyph::Star,   Glyph::Heart, Glyph::Tag,   Glyph::Bookmark, Glyph::Calendar,
        Glyph::Note,  Glyph::Screen, Glyph::Globe,  Glyph::Key,   Glyph::Flag,  Glyph::Box,      Glyph::Eye,
        Glyph::Clock, Glyph::Person, Glyph::Trophy, Glyph::Bolt,  Glyph::Check, Glyph::Folder,
    };
    static const std::array<QColor, 4> colors = {QColor(70, 130, 200), QColor(220, 110, 60), QColor(90, 160, 90),
                                                 QColor(170, 90, 170)};
    return {glyphs.at(index % glyphs.size()), colors.at((index / glyphs.size()) % colors.size())};
}

QIcon themed(const char *name, const std::function<QIcon()> &fallback)
{
    const QString themeName = QString::fromLatin1(name);
    if (QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    return fallback();
}

} // namespace

QPainterPath starPath(QPointF centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double r = (i % 2 == 0) ? outer : inner;
        const QPointF p(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QIcon AppIconFor(AppIcon icon)
{
    static QHash<int, QIcon> cache;
    const auto cached = cache.constFind(int(icon));
    if (cached != cache.cend())
        return *cached;
    const QColor blue(70, 120, 190);
    QIcon result;
    switch (icon) {
    case AppIcon::File:
        result = glyphIcon(Glyph::Report, blue);
        break;
    case AppIcon::ListLayout:
        result = themed("view-list-details", [&] { return glyphIcon(Glyph::List, blue); });
        break;
    case AppIcon::ThumbnailLayout:
        result = themed("view-list-icons", [&] { return glyphIcon(Glyph::Grid, blue); });
        break;
    case AppIcon::CardLayout:
        result = glyphIcon(Glyph::Cards, blue);
        break;
    case AppIcon::ThumbnailSize:
        result = themed("zoom-in", [&] { return glyphIcon(Glyph::Grid, QColor(90, 160, 90)); });
        break;
    case AppIcon::SizeSmall:
        result = sizeIcon(10);
        break;
    case AppIcon::SizeMedium:
        result = sizeIcon(18);
        break;
    case AppIcon::SizeLarge:
        result = sizeIcon(27);
        break;
    case AppIcon::OptimizedMode:
        result = glyphIcon(Glyph::Bolt, QColor(245, 190, 40));
        break;
    case AppIcon::Database:
        result = glyphIcon(Glyph::Cylinder, blue);
        break;
    case AppIcon::Open:
        result = themed("document-open", [&] { return glyphIcon(Glyph::Folder, QColor(230, 190, 80)); });
        break;
    case AppIcon::Help:
        result = themed("help-about", [&] { return glyphIcon(Glyph::Question, blue); });
        break;
    case AppIcon::Close:
        result = themed("window-close", [&] { return glyphIcon(Glyph::Cross, QColor(90, 90, 90)); });
        break;
    case AppIcon::Update:
        result = glyphIcon(Glyph::ArrowDown, QColor(90, 160, 90));
        break;
    case AppIcon::AddMovies:
        result = composedIcon(Glyph::Film, QColor(240, 150, 50), Glyph::Plus, QColor(40, 140, 60));
        break;
    case AppIcon::Back:
        result = themed("go-previous", [&] { return glyphIcon(Glyph::ArrowLeft, blue); });
        break;
    case AppIcon::RibbonMinimize:
        result = glyphIcon(Glyph::Chevron, QColor(90, 90, 90));
        break;
    case AppIcon::RibbonRestore:
        result = drawnIcon([](QPainter &p) {
            p.translate(0, 32);
            p.scale(1, -1);
            drawGlyph(p, Glyph::Chevron, QColor(90, 90, 90));
        });
        break;
    }
    cache.insert(int(icon), result);
    return result;
}

int ViewIconCount()
{
    return kViewIconCount;
}

QIcon ViewIcon(int index)
{
    static QHash<int, QIcon> cache;
    if (index < 0 || index >= kViewIconCount)
        index = 0;
    const auto cached = cache.constFind(index);
    if (cached != cache.cend())
        return *cached;
    const IconSpec look = viewIconSpec(index);
    const QIcon icon = glyphIcon(look.glyph, look.color);
    cache.insert(index, icon);
    return icon;
}

QIcon CommandIcon(Command command)
{
    static QHash<int, QIcon> cache;
    const auto cached = cache.constFind(int(command));
    if (cached != cache.cend())
        return *cached;
    const QColor blue(70, 120, 190);
    const QColor orange(240, 150, 50);
    const QColor green(90, 160, 90);
    const QColor gold(245, 190, 40);
    const QColor grey(120, 120, 130);
    const QColor red(200, 70, 60);
    const QColor purple(150, 100, 180);
    const auto plain = [](Glyph glyph, const QColor &color) { return glyphIcon(glyph, color); };
    const auto plus = [](Glyph glyph, const QColor &color) {
        return composedIcon(glyph, color, Glyph::Plus, QColor(40, 140, 60));
    };
    QIcon result;
    switch (command) {
    case Command::AddMovies:
    case Command::AddByTitle:
    case Command::QuickAddByScanning:
        result = AppIconFor(AppIcon::AddMovies);
        break;
    case Command::AddByScanning:
        result = plus(Glyph::Cylinder, grey);
        break;
    case Command::AddFromTextFile:
        result = plus(Glyph::Note, blue);
        break;
    case Command::AddManually:
    case Command::NewMovie:
    case Command::New:
        result = plus(Glyph::Note, orange);
        break;
    case Command::NewPerson:
        result = plus(Glyph::Person, green);
        break;
    case Command::NewReport:
        result = plus(Glyph::Report, purple);
        break;
    case Command::NewWantedItem:
        result = plus(Glyph::Gift, blue);
        break;
    case Command::Edit:
    case Command::EditAllSelected:
    case Command::EditView:
        result = plain(Glyph::Note, blue);
        break;
    case Command::Delete:
    case Command::DeleteView:
        result = plain(Glyph::Cross, red);
        break;
    case Command::Print:
    case Command::ReportPrint:
        result = plain(Glyph::Report, grey);
        break;
    case Command::AutoUpdateMovieInfo:
    case Command::DownloadInfo:
    case Command::DownloadCoverArt:
        result = plain(Glyph::ArrowDown, green);
        break;
    case Command::InstantSearch:
    case Command::AdvancedFind:
    case Command::ExpandQueryBuilder:
    case Command::FilterBuilder:
        result = plain(Glyph::Eye, blue);
        break;
    case Command::FindAll:
    case Command::Duplicates:
        result = plain(Glyph::Grid, orange);
        break;
    case Command::ShowAll:
        result = plain(Glyph::Star, gold);
        break;
    case Command::Sort:
        result = plain(Glyph::ArrowUp, blue);
        break;
    case Command::QuickFilter:
        result = plain(Glyph::Tag, orange);
        break;
    case Command::Play:
    case Command::PlayMovie:
    case Command::PlayTrailer:
        result = plain(Glyph::Film, orange);
        break;
    case Command::UpdateCoverArt:
    case Command::CoverFromClipboard:
    case Command::CoverFromFile:
    case Command::ExportCoverArt:
        result = plain(Glyph::Screen, blue);
        break;
    case Command::NewLoan:
    case Command::ReturnLoan:
        result = plain(Glyph::Loan, QColor(200, 150, 90));
        break;
    case Command::LayoutList:
        result = AppIconFor(AppIcon::ListLayout);
        break;
    case Command::LayoutThumbnails:
        result = AppIconFor(AppIcon::ThumbnailLayout);
        break;
    case Command::LayoutCards:
        result = AppIconFor(AppIcon::CardLayout);
        break;
    case Command::ThumbnailSize:
        result = AppIconFor(AppIcon::ThumbnailSize);
        break;
    case Command::GroupBy:
    case Command::GroupByBox:
    case Command::CustomizeColumns:
    case Command::ColumnLines:
    case Command::ConditionalFormatting:
        result = plain(Glyph::List, green);
        break;
    case Command::MovieImdbPage:
    case Command::RottenTomatoesPage:
        result = plain(Glyph::Globe, blue);
        break;
    case Command::MovieInfoPane:
        result = plain(Glyph::Bookmark, orange);
        break;
    case Command::CreateView:
    case Command::ArrangeViews:
        result = plus(Glyph::Folder, QColor(230, 190, 80));
        break;
    case Command::SelectAll:
        result = plain(Glyph::Check, green);
        break;
    case Command::RandomSelection:
        result = plain(Glyph::Question, purple);
        break;
    case Command::RenumberAllMedia:
    case Command::CopyBetweenDatabases:
    case Command::DatabaseOperations:
    case Command::BackupRestore:
        result = AppIconFor(AppIcon::Database);
        break;
    case Command::MoveMovie:
    case Command::MoveToMovies:
        result = plain(Glyph::ArrowLeft, blue);
        break;
    case Command::RenameVideoFiles:
    case Command::OpenContainingFolder:
    case Command::CopyAssociatedFiles:
        result = plain(Glyph::Folder, QColor(230, 190, 80));
        break;
    case Command::DefineMovieGroup:
    case Command::AddToMovieGroup:
    case Command::DissolveMovieGroup:
        result = plain(Glyph::Box, orange);
        break;
    case Command::AudioFormats:
    case Command::Certifications:
    case Command::Countries:
    case Command::Genres:
    case Command::Languages:
    case Command::MediaTypes:
    case Command::Roles:
    case Command::VideoFormats:
    case Command::TechnicalData:
    case Command::Keywords:
        result = plain(Glyph::Tag, blue);
        break;
    case Command::ExportData:
    case Command::MobileExport:
    case Command::ReportExport:
        result = plain(Glyph::ArrowUp, green);
        break;
    case Command::ReportZoom:
        result = themed("zoom-in", [&] { return plain(Glyph::Eye, grey); });
        break;
    case Command::PreviousPage:
        result = plain(Glyph::ArrowLeft, grey);
        break;
    case Command::NextPage:
    case Command::JumpToPage:
        result = plain(Glyph::Chevron, grey);
        break;
    case Command::Options:
        result = plain(Glyph::Key, grey);
        break;
    case Command::TouchMouseMode:
        result = plain(Glyph::Square, grey);
        break;
    case Command::About:
        result = AppIconFor(AppIcon::Help);
        break;
    case Command::SetRating:
        result = plain(Glyph::Star, gold);
        break;
    case Command::SetLastWatched:
    case Command::LastWatchedToday:
    case Command::LastWatchedYesterday:
        result = plain(Glyph::Calendar, blue);
        break;
    case Command::Exit:
        result = AppIconFor(AppIcon::Close);
        break;
    }
    cache.insert(int(command), result);
    return result;
}
