#include "core/Splash.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {
const QString kSplashTitle = QStringLiteral("SplashVRRNZ_frm");
}

TSplash_frm::TSplash_frm()
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::SplashScreen)
    , m_version(new QLabel(this))
{
    setWindowTitle(kSplashTitle);
    setFixedSize(480, 280);
    m_version->setText(QStringLiteral("version %1.%2").arg(REELNEST_VERSION_MAJOR).arg(REELNEST_VERSION_MINOR));
    m_version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_version->setStyleSheet(QStringLiteral("color: white;"));
    m_version->setGeometry(width() - 220, height() - 40, 200, 24);
    m_version->setVisible(true);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TSplash_frm::versionText() const
{
    return m_version->text();
}

void TSplash_frm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0, QColor(28, 36, 58));
    background.setColorAt(1, QColor(70, 24, 40));
    painter.fillRect(rect(), background);
    // A reel: a ring with five holes.
    const QPointF centre(110, height() / 2.0);
    painter.setBrush(QColor(230, 190, 90));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 70, 70);
    painter.setBrush(QColor(28, 36, 58));
    painter.drawEllipse(centre, 12, 12);
    for (int i = 0; i < 5; ++i) {
        const double angle = qDegreesToRadians(i * 72.0 - 90);
        painter.drawEllipse(centre + QPointF(std::cos(angle), std::sin(angle)) * 40, 17, 17);
    }
    QFont title = font();
    title.setPointSize(30);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(200, 90, 270, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Reelnest"));
    QFont subtitle = font();
    subtitle.setPointSize(11);
    painter.setFont(subtitle);
    painter.setPen(QColor(220, 220, 230));
    painter.drawText(QRect(200, 150, 270, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Your movies, catalogued"));
}

namespace {
QWidget *splashWindow()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.cbegin(), windows.cend(),
                                    [](const QWidget *w) { return w->windowTitle() == kSplashTitle; });
    return found == windows.cend() ? nullptr : *found;
}
} // namespace

bool SplashWindowExists()
{
    return splashWindow() != nullptr;
}

void HideSplashWindow()
{
    if (QWidget *splash = splashWindow())
        splash->hide();
}
