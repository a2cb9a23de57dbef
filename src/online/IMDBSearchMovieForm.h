#pragma once

#include "online/DownloadQueue.h"
#include "online/IMDBDatabaseDatamodule.h"
#include "online/IMDBRobotClassUnit.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

// The "Movie Query" window: the user searches a title (or pastes a title address, or types or
// scans a barcode), picks results with their media type, region code and sequence number (or, for
// the wish list, priority and release date) into the download queue, and downloads the queue into
// the collection.
class TIMDBSearchMovieForm : public QDialog
{
    Q_OBJECT

public:
    explicit TIMDBSearchMovieForm(bool wantedMode, QWidget *parent = nullptr);
    ~TIMDBSearchMovieForm() override;

    // Titles stored by the last download (movies or wish-list entries).
    int storedCount() const { return FStoredCount; }

    QLineEdit *searchField() const { return FSearch; }
    QPushButton *searchButton() const { return FSearchButton; }
    QRadioButton *movieKind() const { return FMovieKind; }
    QRadioButton *seriesKind() const { return FSeriesKind; }
    QSpinBox *seasonField() const { return FSeason; }
    QGroupBox *resultGroup() const { return FResultGroup; }
    QTreeWidget *resultList() const { return FResults; }
    QTreeWidget *queueList() const { return FQueue; }
    QTabWidget *tabs() const { return FTabs; }
    QComboBox *mediaList() const { return FMedia; }
    QComboBox *regionList() const { return FRegion; }
    QLineEdit *seqNumberField() const { return FSeqNumber; }
    QComboBox *priorityList() const { return FPriority; }
    QPushButton *addButton() const { return FAdd; }
    QPushButton *removeButton() const { return FRemove; }
    QPushButton *downloadButton() const { return FDownload; }
    QCheckBox *quickAddBox() const { return FQuickAdd; }
    const TDownloadQueue &downloadQueue() const { return FDownloadCollection; }

public slots:
    void SearchClick();
    void AddClick();
    void RemoveClick();
    void PreviewClick();
    void ImdbPageClick();
    void DownloadClick();
    void KindChange();

protected:
    void done(int result) override;

private:
    void buildWindow();
    void readSettings();
    void fillMediaList();
    void fillResultList();
    void fillQueueList();
    void updateButtons();
    void setSearching(bool searching);
    // The robot's index of the focused result, or -1.
    int currentResultIndex() const;
    int searchKind() const;
    void showNextSeqNumber();
    QueueAssignment currentAssignment();

    bool FWantedMode;
    TIMDBRobot FRobot;
    TDownloadQueue FDownloadCollection;
    TIMDBDatabaseModule FStore;
    QList<TMediaType> FMediaTypes;
    QString FSearchText;
    int FStoredCount = 0;

    QRadioButton *FMovieKind;
    QRadioButton *FSeriesKind;
    QLabel *FSearchLabel;
    QLineEdit *FSearch;
    QPushButton *FSearchButton;
    QSpinBox *FSeason;
    QGroupBox *FResultGroup;
    QTreeWidget *FResults;
    QPushButton *FAdd;
    QPushButton *FPreview;
    QTabWidget *FTabs;
    QFormLayout *FAssignment;
    QComboBox *FMedia;
    QComboBox *FRegion;
    QLineEdit *FSeqNumber;
    QComboBox *FPriority;
    QCheckBox *FReleaseDateSet;
    QDateEdit *FReleaseDate;
    QTreeWidget *FQueue;
    QPushButton *FRemove;
    QCheckBox *FQuickAdd;
    QPushButton *FDownload;
    QPushButton *FClose;
};

// The "by Title/Barcode" command: asks how to download when that was never chosen, then runs the
// Movie Query window modally, adding to the wish list instead of the collection in wantedMode.
// True when titles were stored, so the caller refreshes its views.
bool ShowSearchMovieDialog(QWidget *parent, bool wantedMode = false);
// The window shown (not modal) with the results for searchText, for screenshots. The caller
// deletes it.
TIMDBSearchMovieForm *OpenSearchMovieDialogOn(QWidget *parent, const QString &searchText);
