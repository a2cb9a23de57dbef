#include "online/MovieDownload.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr QSize CoverSize(90, 130);

} // namespace

TMovieDownload_frm::TMovieDownload_frm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , FTitle(new QLabel(this))
    , FOriginalTitle(new QLabel(this))
    , FTrivia(new QLabel(this))
    , FCover(new QLabel(this))
    , FStatus(new QLabel(this))
    , FActivity(new QProgressBar(this))
    , FProgress(new QProgressBar(this))
    , FStop(new QPushButton(this))
{
    setObjectName(QStringLiteral("MovieDownload"));
    // The window that started the download hides itself and no longer blocks the program: while
    // titles are stored, nothing but this window (and its stop button) may take input.
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(GetText(Txt::PleaseWaitCaption));
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto *header = new QLabel(GetText(Txt::Downloading) + QLatin1Char(':'), frame);
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    FTitle->setFont(bold);
    FTitle->setStyleSheet(QStringLiteral("color: #1b7a1b;"));
    for (QLabel *label : {FTitle, FOriginalTitle, FTrivia})
        label->setWordWrap(true);
    FTrivia->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    FCover->setFixedSize(CoverSize);
    FCover->setAlignment(Qt::AlignCenter);
    FStatus->setVisible(ReadSettingBool(QStringLiteral("ShowDownloadDebugText"), QStringLiteral("Options"), false));
    // Range 0..0: the bar runs as an activity indicator.
    FActivity->setRange(0, 0);
    FActivity->setMaximumHeight(8);
    FActivity->setTextVisible(false);
    FProgress->setVisible(false);
    FStop->setText(QStringLiteral("Stop"));
    connect(FStop, &QPushButton::clicked, this, &TMovieDownload_frm::StopClick);

    auto *texts = new QVBoxLayout;
    texts->addWidget(header);
    texts->addWidget(FTitle);
    texts->addWidget(FOriginalTitle);
    texts->addWidget(FTrivia, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(FCover);
    top->addLayout(texts, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(FProgress, 1);
    bottom->addWidget(FStop);
    auto *layout = new QVBoxLayout(frame);
    layout->addLayout(top, 1);
    layout->addWidget(FStatus);
    layout->addWidget(FActivity);
    layout->addLayout(bottom);
    resize(460, 200);
}

void TMovieDownload_frm::openProgress(int maxProgress)
{
    FStopRequested = false;
    FStop->setEnabled(true);
    FProgress->setRange(0, qMax(maxProgress, 1));
    FProgress->setValue(0);
    FProgress->setVisible(maxProgress > 1);
    if (QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr)
        move(owner->geometry().center() - rect().center());
    show();
    raise();
    userInterface().processEvents();
}

void TMovieDownload_frm::setProgress(int position)
{
    FProgress->setValue(position);
    userInterface().processEvents();
}

void TMovieDownload_frm::showTitle(const QString &title)
{
    FTitle->setText(title);
    FOriginalTitle->clear();
    FTrivia->clear();
    FCover->clear();
    userInterface().processEvents();
}

void TMovieDownload_frm::showOriginalTitle(const QString &title)
{
    FOriginalTitle->setText(title);
}

void TMovieDownload_frm::showTrivia(const QString &trivia)
{
    FTrivia->setText(trivia);
}

void TMovieDownload_frm::showCover(const QString &fileName)
{
    const QPixmap picture(fileName);
    if (fileName.isEmpty() || picture.isNull())
        FCover->clear();
    else
        FCover->setPixmap(picture.scaled(CoverSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    userInterface().processEvents();
}

void TMovieDownload_frm::showStatus(const QString &text)
{
    FStatus->setText(text);
    userInterface().processEvents();
}

void TMovieDownload_frm::closeProgress()
{
    hide();
}

void TMovieDownload_frm::StopClick()
{
    FStopRequested = true;
    FStop->setEnabled(false);
}
