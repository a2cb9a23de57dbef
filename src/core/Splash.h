#pragma once

#include <QWidget>

class QLabel;

// The splash window shown while the program starts; it always exists until the main window is
// first shown, visible or not.
class TSplash_frm : public QWidget
{
    Q_OBJECT
public:
    TSplash_frm();
    QString versionText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_version;
};

// True while a splash window exists.
bool SplashWindowExists();
// Hides the splash window so that it cannot cover a dialog or a message.
void HideSplashWindow();
