#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

// The wait window: a borderless, slightly transparent box with an activity indicator, two lines
// of text and a progress bar shown only when there is progress to show.
class TWait_frm : public QDialog
{
    Q_OBJECT
public:
    explicit TWait_frm(QWidget *owner = nullptr);

    void showWait(const QString &message, int maxProgress);
    void setProgress(int position);
    void hideWait();

    QString upperText() const;
    QString lowerText() const;
    bool progressVisible() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void centreOnOwner();

    QLabel *m_upper;
    QLabel *m_lower;
    QProgressBar *m_progress;
    int m_timer = 0;
    int m_angle = 0;
};
