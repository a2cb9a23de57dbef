#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class TIMDBMovie;

// A quick look at one search result before it is queued: title, original title, plot outline,
// genres, cast, cover and links to its pages. Closing it with "Add to Download Queue" accepts it.
class TImdbPreview_frm : public QDialog
{
    Q_OBJECT

public:
    // heading: the title line as the search window words it (with the season for a series).
    TImdbPreview_frm(const TIMDBMovie &movie, const QString &heading, QWidget *parent = nullptr);

    QLabel *headingLabel() const { return FHeading; }
    QPushButton *addButton() const { return FAdd; }

protected:
    void done(int result) override;

private:
    QLabel *FHeading;
    QPushButton *FAdd;
};

// Reads the preview of a search result and shows it, removing the cover file it fetched
// afterwards. heading words the title line from the read title; offerAdd shows "Add to Download
// Queue". True when the user chose it; false also when the preview could not be read.
bool ShowTitlePreview(const TIMDBMovie &result, const std::function<QString(const TIMDBMovie &)> &heading,
                      bool offerAdd, QWidget *parent);
