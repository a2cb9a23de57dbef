#pragma once

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

// The enlarged view of a cover or a person's picture, with an optional second picture (the back
// cover) one click away. The opener sets the pictures and calls exec().
class TPicPrev_frm : public QDialog
{
    Q_OBJECT

public:
    explicit TPicPrev_frm(QWidget *parent = nullptr);

    void setFirstPicture(const QImage &image);
    // A null image means there is no second picture: the turn button stays hidden.
    void setSecondPicture(const QImage &image);
    bool secondVisible() const { return FSecondVisible; }

    QLabel *imageLabel() const { return FImage; }
    QPushButton *turnButton() const { return FTurn; }
    QPushButton *zoomButton() const { return FZoom; }

public slots:
    void TurnClick();
    void ZoomClick();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const QImage &visiblePicture() const;
    void fitWindow();
    void showAt(QSize size);
    void placeButtons();

    QLabel *FImage;
    QPushButton *FTurn;
    QPushButton *FZoom;
    QImage FFirst;
    QImage FSecond;
    bool FSecondVisible = false;
    bool FPositionSaved = false;
};
