// Draws the media-type icons shipped in data/: a disc, box or tape shape with a short label.
// Run: build/bin/make-media-icons data
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

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
    return 0;
}
