// Draws the pictures shipped in data/: the media-type icons (a disc or tape shape with a short
// label) and the small flags of the language drop-downs (data/flags/flagNN.png, NN being the
// flag's index in the language table).
// Run: build/bin/make-media-icons data
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace {

struct Icon
{
    const char *file;
    const char *label;
    QColor colour;
    bool tape;
};

QImage drawIcon(const Icon &icon)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (icon.tape) {
        painter.setBrush(QColor(40, 40, 40));
        painter.drawRoundedRect(QRectF(4, 14, 56, 36), 4, 4);
        painter.setBrush(icon.colour);
        painter.drawRect(QRectF(10, 18, 44, 14));
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(20, 40), 5, 5);
        painter.drawEllipse(QPointF(44, 40), 5, 5);
    } else {
        QRadialGradient disc(QPointF(32, 32), 30);
        disc.setColorAt(0, icon.colour.lighter(160));
        disc.setColorAt(1, icon.colour);
        painter.setBrush(disc);
        painter.drawEllipse(QPointF(32, 32), 30, 30);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(32, 32), 6, 6);
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(icon.tape ? 10 : 13);
    painter.setFont(font);
    painter.setPen(icon.tape ? Qt::black : Qt::white);
    const QRectF labelArea = icon.tape ? QRectF(10, 18, 44, 14) : QRectF(0, 38, 64, 20);
    painter.drawText(labelArea, Qt::AlignCenter, QString::fromLatin1(icon.label));
    return image;
}

// Flags are drawn four times larger on a 96 x 64 canvas and scaled down to 24 x 16.
constexpr int FlagW = 96;
constexpr int FlagH = 64;

QPolygonF star(QPointF centre, double outer, double rotationDegrees = 0)
{
    QPolygonF points;
    const double inner = outer * 0.382;
    for (int i = 0; i < 10; ++i) {
        const double angle = (rotationDegrees - 90 + i * 36) * M_PI / 180;
        const double r = i % 2 == 0 ? outer : inner;
        points << QPointF(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
    }
    return points;
}

void stripes(QPainter &p, const QList<QColor> &colours, bool vertical, const QList<int> &weights = {})
{
    int total = 0;
    for (int i = 0; i < colours.size(); ++i)
        total += weights.isEmpty() ? 1 : weights.at(i);
    double at = 0;
    for (int i = 0; i < colours.size(); ++i) {
        const double size = (vertical ? FlagW : FlagH) * double(weights.isEmpty() ? 1 : weights.at(i)) / total;
        p.fillRect(vertical ? QRectF(at, 0, size + 0.5, FlagH) : QRectF(0, at, FlagW, size + 0.5), colours.at(i));
        at += size;
    }
}

void nordicCross(QPainter &p, const QColor &field, const QColor &cross, const QColor &inner = QColor())
{
    p.fillRect(QRectF(0, 0, FlagW, FlagH), field);
    const double x = FlagW * 0.3, y = FlagH / 2.0, width = FlagH * 0.22;
    p.fillRect(QRectF(x - width / 2, 0, width, FlagH), cross);
    p.fillRect(QRectF(0, y - width / 2, FlagW, width), cross);
    if (inner.isValid()) {
        const double w = width * 0.5;
        p.fillRect(QRectF(x - w / 2, 0, w, FlagH), inner);
        p.fillRect(QRectF(0, y - w / 2, FlagW, w), inner);
    }
}

void drawFlagContent(QPainter &p, int index)
{
    const QColor red(206, 17, 38), blue(0, 56, 168), white(Qt::white), green(0, 122, 61), yellow(252, 209, 22);
    const QColor black(Qt::black);
    p.setPen(Qt::NoPen);
    switch (index) {
    case 0: { // english
        p.fillRect(QRectF(0, 0, FlagW, FlagH), QColor(1, 33, 105));
        p.setPen(QPen(white, 13));
        p.drawLine(QPointF(0, 0), QPointF(FlagW, FlagH));
        p.drawLine(QPointF(FlagW, 0), QPointF(0, FlagH));
        p.setPen(QPen(QColor(200, 16, 46), 4));
        p.drawLine(QPointF(0, 0), QPointF(FlagW, FlagH));
        p.drawLine(QPointF(FlagW, 0), QPointF(0, FlagH));
        p.setPen(Qt::NoPen);
        p.fillRect(QRectF(FlagW / 2.0 - 10, 0, 20, FlagH), white);
        p.fillRect(QRectF(0, FlagH / 2.0 - 10, FlagW, 20), white);
        p.fillRect(QRectF(FlagW / 2.0 - 6, 0, 12, FlagH), QColor(200, 16, 46));
        p.fillRect(QRectF(0, FlagH / 2.0 - 6, FlagW, 12), QColor(200, 16, 46));
        break;
    }
    case 1: // swedish
        nordicCross(p, QColor(0, 106, 167), QColor(254, 204, 0));
        break;
    case 2: // german
        stripes(p, {black, QColor(221, 0, 0), QColor(255, 206, 0)}, false);
        break;
    case 3: // dutch
        stripes(p, {QColor(174, 28, 40), white, QColor(33, 70, 139)}, false);
        break;
    case 4: // portuguese
        stripes(p, {QColor(0, 102, 0), QColor(255, 0, 0)}, true, {2, 3});
        p.setBrush(QColor(255, 255, 0));
        p.drawEllipse(QPointF(FlagW * 0.4, FlagH / 2.0), 13, 13);
        p.setBrush(QColor(255, 0, 0));
        p.drawEllipse(QPointF(FlagW * 0.4, FlagH / 2.0), 8, 8);
        break;
    case 5: // french
        stripes(p, {QColor(0, 35, 149), white, QColor(237, 41, 57)}, true);
        break;
    case 6: // italian
        stripes(p, {QColor(0, 146, 70), white, QColor(206, 43, 55)}, true);
        break;
    case 7: // polish
        stripes(p, {white, QColor(220, 20, 60)}, false);
        break;
    case 8: // danish
        nordicCross(p, QColor(200, 16, 46), white);
        break;
    case 9: // finnish
        nordicCross(p, white, QColor(0, 47, 108));
        break;
    case 10: // norwegian
        nordicCross(p, QColor(186, 12, 47), white, QColor(0, 32, 91));
        break;
    case 11: // spanish
        stripes(p, {QColor(170, 21, 27), QColor(241, 191, 0), QColor(170, 21, 27)}, false, {1, 2, 1});
        break;
    case 12: { // croatian
        stripes(p, {QColor(255, 0, 0), white, QColor(23, 23, 150)}, false);
        const double size = 6, left = FlagW / 2.0 - 2.5 * size, top = FlagH / 2.0 - 2.5 * size;
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 5; ++col)
                p.fillRect(QRectF(left + col * size, top + row * size, size, size),
                           (row + col) % 2 == 0 ? QColor(255, 0, 0) : white);
        }
        break;
    }
    case 13: // serbian
        stripes(p, {QColor(198, 54, 60), QColor(12, 64, 118), white}, false);
        break;
    case 14: { // czech
        stripes(p, {white, QColor(215, 20, 26)}, false);
        p.setBrush(QColor(17, 69, 126));
        p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(FlagW / 2.0, FlagH / 2.0), QPointF(0, FlagH)}));
        break;
    }
    case 15: // russian
        stripes(p, {white, QColor(0, 57, 166), QColor(213, 43, 30)}, false);
        break;
    case 16: { // turkish
        p.fillRect(QRectF(0, 0, FlagW, FlagH), QColor(227, 10, 23));
        p.setBrush(white);
        p.drawEllipse(QPointF(34, 32), 16, 16);
        p.setBrush(QColor(227, 10, 23));
        p.drawEllipse(QPointF(38, 32), 13, 13);
        p.setBrush(white);
        p.drawPolygon(star(QPointF(56, 32), 8, -18));
        break;
    }
    case 17: // chinese
        p.fillRect(QRectF(0, 0, FlagW, FlagH), QColor(238, 28, 37));
        p.setBrush(QColor(255, 255, 0));
        p.drawPolygon(star(QPointF(16, 16), 10));
        for (const QPointF &small : {QPointF(32, 6), QPointF(38, 13), QPointF(38, 22), QPointF(32, 29)})
            p.drawPolygon(star(small, 3.5, 20));
        break;
    case 18: { // greek
        const QColor greekBlue(13, 94, 175);
        QList<QColor> colours;
        for (int i = 0; i < 9; ++i)
            colours << (i % 2 == 0 ? greekBlue : white);
        stripes(p, colours, false);
        const double canton = FlagH * 5.0 / 9;
        p.fillRect(QRectF(0, 0, canton, canton), greekBlue);
        p.fillRect(QRectF(canton / 2 - canton / 10, 0, canton / 5, canton), white);
        p.fillRect(QRectF(0, canton / 2 - canton / 10, canton, canton / 5), white);
        break;
    }
    case 19: // persian
        stripes(p, {QColor(35, 159, 64), white, QColor(218, 0, 0)}, false);
        break;
    case 20: { // portuguese (brazil)
        p.fillRect(QRectF(0, 0, FlagW, FlagH), QColor(0, 156, 59));
        p.setBrush(QColor(255, 223, 0));
        p.drawPolygon(QPolygonF({QPointF(FlagW / 2.0, 7), QPointF(FlagW - 9, FlagH / 2.0),
                                 QPointF(FlagW / 2.0, FlagH - 7), QPointF(9, FlagH / 2.0)}));
        p.setBrush(QColor(0, 39, 118));
        p.drawEllipse(QPointF(FlagW / 2.0, FlagH / 2.0), 14, 14);
        break;
    }
    case 21: // arabic
        stripes(p, {black, white, QColor(0, 122, 61)}, false);
        p.setBrush(QColor(206, 17, 38));
        p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(FlagW * 0.35, FlagH / 2.0), QPointF(0, FlagH)}));
        break;
    case 22: { // afrikaans
        stripes(p, {QColor(224, 60, 49), QColor(0, 35, 149)}, false);
        QPainterPath band;
        band.moveTo(0, 0);
        band.lineTo(FlagW * 0.4, FlagH / 2.0);
        band.lineTo(FlagW, FlagH / 2.0);
        band.moveTo(0, FlagH);
        band.lineTo(FlagW * 0.4, FlagH / 2.0);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(white, 22));
        p.drawPath(band);
        p.setPen(QPen(QColor(0, 119, 73), 14));
        p.drawPath(band);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 184, 28));
        p.drawPolygon(QPolygonF({QPointF(0, 8), QPointF(FlagW * 0.3, FlagH / 2.0), QPointF(0, FlagH - 8)}));
        p.setBrush(black);
        p.drawPolygon(QPolygonF({QPointF(0, 14), QPointF(FlagW * 0.22, FlagH / 2.0), QPointF(0, FlagH - 14)}));
        break;
    }
    case 23: // latvian
        stripes(p, {QColor(158, 48, 57), white, QColor(158, 48, 57)}, false, {2, 1, 2});
        break;
    }
}

QImage drawFlag(int index)
{
    QImage canvas(FlagW, FlagH, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        drawFlagContent(painter, index);
        // A thin grey edge keeps white flags visible on a white list.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(120, 120, 120), 4));
        painter.drawRect(QRectF(2, 2, FlagW - 4, FlagH - 4));
    }
    return canvas.scaled(FlagW / 4, FlagH / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

constexpr int FlagCount = 24;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const Icon icons[] = {
        {"icon_bluray.jpg", "BD", QColor(20, 90, 200), false}, {"icon_hddvd.jpg", "HD", QColor(150, 20, 30), false},
        {"icon_divx.jpg", "HDD", QColor(60, 60, 70), false},   {"icon_ld.jpg", "LD", QColor(170, 140, 40), false},
        {"icon_dvd.jpg", "DVD", QColor(90, 40, 140), false},   {"icon_vcd.jpg", "VCD", QColor(30, 130, 90), false},
        {"icon_vhs.jpg", "VHS", QColor(230, 230, 230), true},
    };
    for (const Icon &icon : icons) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(icon.file));
        if (!drawIcon(icon).save(path, "JPG", 90))
            return 1;
    }
    const QString flags = QDir(folder).filePath(QStringLiteral("flags"));
    QDir().mkpath(flags);
    for (int index = 0; index < FlagCount; ++index) {
        const QString path = QDir(flags).filePath(QStringLiteral("flag%1.png").arg(index, 2, 10, QLatin1Char('0')));
        if (!drawFlag(index).save(path, "PNG"))
            return 1;
    }
    return 0;
}
