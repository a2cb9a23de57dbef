#include "core/Wait.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>

namespace {
constexpr int kIndicatorSize = 32;
}

TWait_frm::TWait_frm(QWidget *owner)
    : QDialog(owner, Qt::FramelessWindowHint | Qt::Tool)
    , m_upper(new QLabel(this))
    , m_lower(new QLabel(this))
    , m_progress(new QProgressBar(this))
{
    setObjectName(QStringLiteral("TWait_frm"));
    setWindowOpacity(235.0 / 255.0);
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, kIndicatorSize + 24, 24, 16);
    for (QLabel *label : {m_upper, m_lower}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    m_upper->setText(GetText(Txt::WaitOpeningView));
    m_lower->setText(GetText(Txt::PleaseWait));
    layout->addWidget(m_progress);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->hide();
    setFixedSize(360, 150);
}

void TWait_frm::showWait(const QString &message, int maxProgress)
{
    centreOnOwner();
    if (maxProgress > 0) {
        m_progress->setRange(0, maxProgress);
        m_progress->setValue(0);
        m_progress->show();
    }
    if (!message.trimmed().isEmpty())
        m_upper->setText(message);
    show();
    if (!m_timer)
        m_timer = startTimer(80);
    QCoreApplication::processEvents();
}

void TWait_frm::setProgress(int position)
{
    m_progress->setValue(position);
    m_progress->repaint();
    QCoreApplication::processEvents();
}

void TWait_frm::hideWait()
{
    hide();
    if (m_timer) {
        killTimer(m_timer);
        m_timer = 0;
    }
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->hide();
    QCoreApplication::processEvents();
}

QString TWait_frm::upperText() const
{
    return m_upper->text();
}

QString TWait_frm::lowerText() const
{
    return m_lower->text();
}

bool TWait_frm::progressVisible() const
{
    return !m_progress->isHidden();
}

void TWait_frm::centreOnOwner()
{
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = owner && owner->isVisible() ? owner->frameGeometry()
                       : screen()                  ? screen()->availableGeometry()
                                                   : QRect();
    if (area.isValid())
        move(area.center() - rect().center());
}

void TWait_frm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // The activity indicator: a ring of dots, the brightest one turning.
    const QPointF centre(width() / 2.0, 12 + kIndicatorSize / 2.0);
    for (int i = 0; i < 12; ++i) {
        QColor dot = palette().highlight().color();
        dot.setAlphaF(0.15 + 0.85 * ((i * 30 + m_angle) % 360) / 360.0);
        painter.setBrush(dot);
        painter.setPen(Qt::NoPen);
        const double angle = qDegreesToRadians(i * 30.0);
        painter.drawEllipse(centre + QPointF(std::cos(angle), std::sin(angle)) * (kIndicatorSize / 2.5), 2.5, 2.5);
    }
}

void TWait_frm::timerEvent(QTimerEvent *)
{
    m_angle = (m_angle + 30) % 360;
    update();
}
