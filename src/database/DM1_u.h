#pragma once

#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "views/BrowseQuery.h"

#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>

// The central data module: the connections to the open collection and to a second database, the
// creation and opening of collections and the row counts. It lives as long as the program.
class TDM1
{
public:
    TDM1();
    ~TDM1();
    TDM1(const TDM1 &) = delete;
    TDM1 &operator=(const TDM1 &) = delete;

    FbConnection MainConnection;
    FbConnection SecondConnection;

    // The browse queries of the views, with their SQL lines, which outlive the view manager.
    // Declared after the connections, so they go first.
    BrowseQuery qry_Movie{MainConnection, ViewKind::Movies};
    BrowseQuery qry_Media{MainConnection, ViewKind::Media};
    BrowseQuery qry_Person{MainConnection, ViewKind::Persons};
    // The browse query of a view kind (ViewCurrentTable 10, 20, 30); movies for anything else.
    BrowseQuery &BrowseQueryOf(int viewTable);
    // Closes the browse queries (their SQL lines stay).
    void CloseViewDatasets();

    // What the main window does for the data module; empty functions are skipped.
    struct Hooks
    {
        std::function<void()> translateMainWindow;
        // Given whether the database is local and how many movies it holds.
        std::function<void(bool local, int movieCount)> decideGridMode;
        std::function<void()> refillDatabaseSelector;
    };
    Hooks hooks;

    // The start-up of the data module; false when no database could be opened and the program
    // should end.
    bool Startup();

    bool CreateRNZDB(const QString &FilePath, bool DemoDataQuestion, bool InsertDefaultData, bool ForceDemoData);
    void OpenDatabase(const QString &path);
    // Sets the credentials of the main connection before it connects.
    void MainDatabaseBeforeConnect();
    // Connects the main connection with its credentials and starts its one transaction; false and the
    // engine's message on failure.
    bool ConnectMainDatabase(QString *error = nullptr);
    void AddStandardUserViews();
    void AddMediaTypeDefaultIcons();
    void UpgradeRNZDB();

    int ReturnCountFunction(const QString &SqlStatement, const QVariantMap &SqlParams = {});

    // The stored layouts of the standard user views.
    static const QString upgradeEntryThumbIni;
    static const QString upgradeEntryCardIni;
    static const QString upgradePeopleListIni;

    // True once the first-start dialog was closed without an open database: the program ends.
    bool firstStartAbandoned() const { return m_firstStartAbandoned; }

private:
    void runFirstStartDialog();
    bool connectCandidate(const QString &databaseString);
    void showOpenFailure(const QString &databaseString, const QString &engineMessage);
    void runScriptReportingFailures(const QString &script);
    void restoreDemoData(const QString &filePath);
    int movieCount();

    std::unique_ptr<FbQuery> m_countQuery;
    bool m_firstStartAbandoned = false;
};

// The one data module of the running program.
TDM1 &DM1();
bool HasDM1();

// The count query that ReturnCountFunction runs in place of a select.
QString CountQueryText(const QString &selectStatement);
int CountRows(const QString &sql);
int CountDataSetRows(const FbQuery &query);

// The optimized data mode: for large collections when the option allows it, and always for a
// database that is not a local file.
bool DecideOptimizedMode(bool useOptimizedModeOption, int movieCount, const QString &databaseString);

// The file-name part of the open collection's database string.
QString GetCurrentDatabaseFileName();
// The database string as stored: lower case where the file system ignores case.
QString NormalizedDatabaseString(const QString &databaseString);
// The open-failure warning text.
QString OpenFailureText(const QString &databaseString, const QString &engineMessage);
// Applies "security.lst" to a connection string; the user name and password stay as given when
// the file has no credentials line for it.
void ApplySecurityList(const QString &securityFile, const QString &databaseString, QString *userName,
                       QString *password);
// The icon file for a media-type name, or empty when none fits.
QString MediaTypeIconFile(const QString &mediaTypeName);
