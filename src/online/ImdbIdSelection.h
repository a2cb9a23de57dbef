#pragma once

#include "online/IMDBRobotClassUnit.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// "Associate With Online Entry": finds the online titles that may be an entry of the collection
// (or a staged import row) and gives the entry the chosen title's IMDb number.
class TImdbIdSelection_frm : public QDialog
{
    Q_OBJECT

public:
    // importRow: entryNumber is a staged import row rather than a collection movie.
    TImdbIdSelection_frm(const QString &title, const QString &year, const QString &fileName, double entryNumber,
                         bool importRow, QWidget *parent = nullptr);

    QTreeWidget *resultList() const { return FResults; }
    QLineEdit *searchField() const { return FSearch; }
    QPushButton *noMatchButton() const { return FNoMatch; }
    QPushButton *okButton() const { return FOk; }

public slots:
    void GoClick();
    void NoMatchClick();
    void OkClick();
    void PreviewClick();
    void ImdbPageClick();

protected:
    void done(int result) override;

private:
    void search(const QString &text);
    void showSearchField(bool visible);
    int currentResultIndex() const;

    TIMDBRobot FRobot;
    QString FFileName;
    double FEntryNumber;
    bool FImportRow;
    QTreeWidget *FResults;
    QLabel *FSearchLabel;
    QLineEdit *FSearch;
    QPushButton *FGo;
    QPushButton *FNoMatch;
    QPushButton *FOk;
};
