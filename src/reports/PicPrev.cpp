#include "reports/PicPrev.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "reports/PictureFit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace {

QSize desktopSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1024, 768);
}

} // namespace

TPicPrev_frm::TPicPrev_frm(QWidget *parent)
    : QDialog(parent)
    , FImage(new QLabel(this))
    , FTurn(new QPushButton(this))
    , FZoom(new QPushButton(this))
{
    setObjectName(QStringLiteral("PicPrev_frm"));
    setWindowTitle(GetText(Txt::PicturePreview));
    FImage->setAlignment(Qt::AlignCenter);
    FImage->installEventFilter(this);
    FImage->setCursor(Qt::PointingHandCursor);
    FTurn->setText(GetText(Txt::Turn) + QStringLiteral(" >"));
    FZoom->setText(QStringLiteral("+"));
    FTurn->setAutoDefault(false);
    FZoom->setAutoDefault(false);
    FTurn->hide();
    FZoom->hide();
    connect(FTurn, &QPushButton::clicked, this, &TPicPrev_frm::TurnClick);
    connect(FZoom, &QPushButton::clicked, this, &TPicPrev_frm::ZoomClick);
}

void TPicPrev_frm::setFirstPicture(const QImage &image)
{
    FFirst = image;
}

void TPicPrev_frm::setSecondPicture(const QImage &image)
{
    FSecond = image;
    if (FSecond.isNull())
        FSecondVisible = false;
}

const QImage &TPicPrev_frm::visiblePicture() const
{
    return FSecondVisible ? FSecond : FFirst;
}

void TPicPrev_frm::placeButtons()
{
    FTurn->adjustSize();
    FTurn->move(4, 4);
    FTurn->setVisible(!FSecond.isNull());
    FZoom->resize(FZoom->sizeHint().width(), FTurn->height());
    FZoom->move(FTurn->isVisibleTo(this) ? FTurn->geometry().right() + 1 + 3 : 4, 4);
    FTurn->raise();
    FZoom->raise();
}

void TPicPrev_frm::showAt(QSize size)
{
    const QImage &picture = visiblePicture();
    const QImage scaled =
        size == picture.size() ? picture : picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    FImage->setPixmap(QPixmap::fromImage(scaled));
    FImage->setGeometry(0, 0, size.width(), size.height());
    resize(size);
}

void TPicPrev_frm::fitWindow()
{
    const PictureFit fit = FitPicture(visiblePicture().size(), pos(), desktopSize());
    if (fit.windowPos != pos())
        move(fit.windowPos);
    showAt(fit.imageSize);
    FZoom->setVisible(fit.zoomable);
}

void TPicPrev_frm::showEvent(QShowEvent *event)
{
    move(PreviewStartPosition(pos(), desktopSize()));
    placeButtons();
    fitWindow();
    QDialog::showEvent(event);
}

void TPicPrev_frm::TurnClick()
{
    if (FSecond.isNull())
        return;
    FSecondVisible = !FSecondVisible;
    fitWindow();
}

void TPicPrev_frm::ZoomClick()
{
    // The natural size, even where the window then reaches past the desktop.
    showAt(visiblePicture().size());
    FZoom->hide();
}

void TPicPrev_frm::done(int result)
{
    // Escape, a click on the picture and the window's close box all end here.
    if (!FPositionSaved) {
        SavePreviewPosition(pos());
        FPositionSaved = true;
    }
    QDialog::done(result);
}

bool TPicPrev_frm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FImage && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
