#pragma once

#include "online/MovieDownloadLoop.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The window a download shows while it runs: the current title, its original title, the first
// trivia item and the cover, a status line for the scrapers' steps when "ShowDownloadDebugText" is
// on, an activity indicator, the progress and a stop button. The caller opens, closes and frees it.
class TMovieDownload_frm : public QDialog, public DownloadProgressView
{
    Q_OBJECT

public:
    explicit TMovieDownload_frm(QWidget *parent = nullptr);

    void openProgress(int maxProgress) override;
    void setProgress(int position) override;
    void showTitle(const QString &title) override;
    void showOriginalTitle(const QString &title) override;
    void showTrivia(const QString &trivia) override;
    void showCover(const QString &fileName) override;
    void showStatus(const QString &text) override;
    void closeProgress() override;
    bool stopRequested() const override { return FStopRequested; }

    QLabel *titleLabel() const { return FTitle; }
    QProgressBar *progressBar() const { return FProgress; }
    QPushButton *stopButton() const { return FStop; }

public slots:
    void StopClick();

private:
    QLabel *FTitle;
    QLabel *FOriginalTitle;
    QLabel *FTrivia;
    QLabel *FCover;
    QLabel *FStatus;
    QProgressBar *FActivity;
    QProgressBar *FProgress;
    QPushButton *FStop;
    bool FStopRequested = false;
};
