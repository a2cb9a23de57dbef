#include "database/DM1_u.h"

#include "core/GlobalFunctions.h"
#include "core/LanguageTexts.h"
#include "core/TextNumbers.h"
#include "core/Translations.h"
#include "core/UserInterface.h"
#include "database/DatabaseList.h"
#include "database/FbScript.h"
#include "database/FbServices.h"
#include "database/Schema.h"
#include "database/SortTitles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace {

TDM1 *theDataModule = nullptr;

const QString kDefaultUser = QStringLiteral("SYSDBA");
const QString kDefaultPassword = QStringLiteral("tavernoak");

// Keyword positions outside quoted literals and identifiers, as whole words.
qsizetype findKeyword(const QString &sql, const QString &keywordPattern, qsizetype from = 0)
{
    const QRegularExpression re(QStringLiteral("\\b") + keywordPattern + QStringLiteral("\\b"),
                                QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatchIterator it = re.globalMatch(sql, from);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString before = sql.left(m.capturedStart());
        if (before.count(QLatin1Char('\'')) % 2 == 0 && before.count(QLatin1Char('"')) % 2 == 0)
            return m.capturedStart();
    }
    return -1;
}

QString databaseFileName(const QString &databaseString)
{
    const qsizetype slash =
        std::max(databaseString.lastIndexOf(QLatin1Char('/')), databaseString.lastIndexOf(QLatin1Char('\\')));
    return databaseString.mid(slash + 1);
}

QString replaceGdbExtension(QString path)
{
    path.replace(QStringLiteral(".gdb"), QStringLiteral(".fdb"), Qt::CaseInsensitive);
    return path;
}

struct StandardUserView
{
    int id;
    int nameText;
    QStringList fields;
    QStringList operators;
    QStringList values;
    QString sort1;
    int iconIndex;
    const QString *layout;
};

} // namespace

// The layouts are texts of our grid layout format: a [Main] section with the format version, a
// [View] section naming the grid view, its table and its layout, then one [Column.NAME] section per column in
// display order with its visibility and width.
const QString TDM1::upgradeEntryThumbIni =
    QStringLiteral("[Main]\nVersion=2\n"
                   "[View]\nName=grid_EntryCardDBCardView1\nTable=Movies\nLayout=Thumbnails\nThumbnailSize=12\n"
                   "[Column.TITLE]\nVisible=1\nWidth=200\n"
                   "[Column.PRODUCTIONYEAR]\nVisible=1\nWidth=50\n"
                   "[Column.USERRATING]\nVisible=1\nWidth=80\n");
const QString TDM1::upgradeEntryCardIni =
    QStringLiteral("[Main]\nVersion=2\n"
                   "[View]\nName=grid_EntryCardDBCardView2\nTable=Movies\nLayout=Cards\nCardWidth=320\n"
                   "[Column.FRONTCOVER_BLOB]\nVisible=1\nWidth=100\n"
                   "[Column.TITLE]\nVisible=1\nWidth=200\n"
                   "[Column.PRODUCTIONYEAR]\nVisible=1\nWidth=50\n"
                   "[Column.GENRES]\nVisible=1\nWidth=200\n"
                   "[Column.MOVIETIME]\nVisible=1\nWidth=60\n"
                   "[Column.USERRATING]\nVisible=1\nWidth=80\n");
const QString TDM1::upgradePeopleListIni =
    QStringLiteral("[Main]\nVersion=2\n"
                   "[View]\nName=grid_ViewPersonDBTableView2\nTable=Persons\nLayout=List\n"
                   "[Column.NAME]\nVisible=1\nWidth=220\n"
                   "[Column.BIRTHDATE]\nVisible=1\nWidth=90\n"
                   "[Column.BIRTHPLACE]\nVisible=1\nWidth=200\n");

TDM1::TDM1()
{
    theDataModule = this;
}

TDM1::~TDM1()
{
    m_countQuery.reset();
    SecondConnection.disconnect();
    MainConnection.disconnect();
    if (theDataModule == this)
        theDataModule = nullptr;
}

TDM1 &DM1()
{
    Q_ASSERT(theDataModule);
    return *theDataModule;
}

bool HasDM1()
{
    return theDataModule != nullptr;
}

bool TDM1::Startup()
{
    m_firstStartAbandoned = false;
    const QString location = ReadSettingString(QStringLiteral("DB Location"), QString());
    if (!location.isEmpty()) {
        OpenDatabase(location);
        if (m_firstStartAbandoned)
            return false;
        if (!ConnectMainDatabase()) {
            userInterface().setBusyCursor(false);
            userInterface().showMessage(MessageKind::Information, GetText(Txt::DatabaseCouldNotBeOpened),
                                        MessageButtons::Ok);
            return false;
        }
    } else {
        runFirstStartDialog();
    }
    if (!MainConnection.isConnected())
        return false;
    UpdateSortOmitList();
    SetReportLanguage(ReportLanguageFor(GetLanguageName()));
    return true;
}

void TDM1::MainDatabaseBeforeConnect()
{
    QString user = kDefaultUser;
    QString password = kDefaultPassword;
    ApplySecurityList(GetDatabaseFolder() + QStringLiteral("security.lst"), MainConnection.databaseName(), &user,
                      &password);
    MainConnection.setUserName(user);
    MainConnection.setPassword(password);
}

bool TDM1::ConnectMainDatabase(QString *error)
{
    try {
        m_countQuery.reset();
        MainConnection.disconnect();
        MainDatabaseBeforeConnect();
        MainConnection.connect();
        MainConnection.startTransaction();
        return true;
    } catch (const FbError &e) {
        MainConnection.disconnect();
        if (error)
            *error = e.message();
        return false;
    }
}

bool TDM1::CreateRNZDB(const QString &FilePath, bool DemoDataQuestion, bool InsertDefaultData, bool ForceDemoData)
{
    {
        BusyCursor busy;
        m_countQuery.reset();
        MainConnection.disconnect();
        MainConnection.setDatabaseName(FilePath);
        MainConnection.setUserName(kDefaultUser);
        MainConnection.setPassword(kDefaultPassword);
        const bool local = FbConnection::isLocalDatabaseString(FilePath);
        const bool existedBefore = local && QFile::exists(FilePath);
        try {
            MainConnection.createDatabase(4096, QStringLiteral("UTF8"));
        } catch (const FbError &e) {
            MainConnection.disconnect();
            // Only our own half-made file goes; a file that was there before may be someone's collection.
            if (local && !existedBefore && QFile::exists(FilePath))
                QFile::remove(FilePath);
            userInterface().setBusyCursor(false);
            ShowErrorBox(QStringLiteral("Could not create a database in the specified location."),
                         QStringLiteral("Please try another location and make sure you have read/write rights to "
                                        "that folder."),
                         e.message());
            return false;
        }

        QString error;
        if (!ConnectMainDatabase(&error)) {
            ShowErrorBox(QStringLiteral("Could not create a database in the specified location."),
                         QStringLiteral("Please try another location and make sure you have read/write rights to "
                                        "that folder."),
                         error);
            return false;
        }
        runScriptReportingFailures(sqlNewDatabase());
        try {
            MainConnection.commitRetaining();
            if (InsertDefaultData) {
                FbQuery::execute(MainConnection,
                                 QStringLiteral("insert into DB_INFO(VERSION, THUMBNAILSIZE) values (%1, 12)")
                                     .arg(CurrentSchemaVersion));
                MainConnection.commitRetaining();
                runScriptReportingFailures(sqlDefaultData());
                MainConnection.commitRetaining();
                AddMediaTypeDefaultIcons();
                MainConnection.commitRetaining();
            }
        } catch (const FbError &e) {
            userInterface().showApplicationError(e.message());
        }
    }

    const QString demoFile = GetProgramFolder() + QStringLiteral("/demo.bak");
    if (DemoDataQuestion && QFile::exists(demoFile)) {
        const bool wanted =
            ForceDemoData || userInterface().showMessage(MessageKind::Confirmation, GetText(Txt::DemoDataQuestion),
                                                         MessageButtons::YesNo) == MessageAnswer::Yes;
        if (wanted)
            restoreDemoData(demoFile);
    }

    AddStandardUserViews();
    DatabaseList().addSorted(FilePath);
    return true;
}

void TDM1::restoreDemoData(const QString &demoFile)
{
    BusyCursor busy;
    m_countQuery.reset();
    const QString target = MainConnection.databaseName();
    MainConnection.disconnect();
    try {
        RestoreDatabase(demoFile, target, true, MainConnection.userName(), MainConnection.password());
    } catch (const FbError &e) {
        userInterface().showApplicationError(e.message());
    }
    QString error;
    if (!ConnectMainDatabase(&error))
        userInterface().showApplicationError(error);
}

void TDM1::runScriptReportingFailures(const QString &script)
{
    RunScript(MainConnection, script,
              [](const FbScriptFailure &failure) { userInterface().showApplicationError(failure.message); });
}

void TDM1::AddMediaTypeDefaultIcons()
{
    try {
        FbQuery types(MainConnection);
        types.setSql(QStringLiteral("select MEDIATYPE_ID, NAME from MEDIATYPE"));
        types.open();
        QList<QPair<qint64, QString>> icons;
        while (types.next()) {
            const QString icon = MediaTypeIconFile(types.value(QStringLiteral("NAME")).toString());
            if (!icon.isEmpty())
                icons.append({types.value(QStringLiteral("MEDIATYPE_ID")).toLongLong(), icon});
        }
        types.close();
        FbQuery update(MainConnection);
        for (const auto &[id, icon] : icons) {
            QFile file(GetProgramFolder() + QLatin1Char('/') + icon);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            try {
                update.setSql(
                    QStringLiteral("update MEDIATYPE set ICON_BLOB = :ICONBLOB where MEDIATYPE_ID = %1").arg(id));
                update.setParam(QStringLiteral("ICONBLOB"), file.readAll());
                update.exec();
            } catch (const FbError &) {
                // A type without its icon still works; the lists show no picture.
            }
        }
    } catch (const FbError &) {
        // As above: icons are a nicety, never a reason to fail the creation.
    }
}

QString MediaTypeIconFile(const QString &mediaTypeName)
{
    static const QList<QPair<QStringList, QString>> table = {
        {{QStringLiteral("blu-ray"), QStringLiteral("blu ray"), QStringLiteral("bluray")},
         QStringLiteral("icon_bluray.jpg")},
        {{QStringLiteral("hd-dvd"), QStringLiteral("hd dvd"), QStringLiteral("hddvd")},
         QStringLiteral("icon_hddvd.jpg")},
        {{QStringLiteral("harddrive"), QStringLiteral("divx")}, QStringLiteral("icon_divx.jpg")},
        {{QStringLiteral("ld"), QStringLiteral("laserdisc"), QStringLiteral("laser-disc"),
          QStringLiteral("laser disc")},
         QStringLiteral("icon_ld.jpg")},
        {{QStringLiteral("dvd"), QStringLiteral("dvd-rw"), QStringLiteral("dvd-r")}, QStringLiteral("icon_dvd.jpg")},
        {{QStringLiteral("vcd"), QStringLiteral("video cd")}, QStringLiteral("icon_vcd.jpg")},
        {{QStringLiteral("vhs"), QStringLiteral("video")}, QStringLiteral("icon_vhs.jpg")},
    };
    const QString name = mediaTypeName.toLower();
    for (const auto &[needles, icon] : table) {
        for (const QString &needle : needles) {
            if (name.contains(needle))
                return icon;
        }
    }
    return QString();
}

void TDM1::AddStandardUserViews()
{
    const QString none = QStringLiteral("FILE_BITRATE");
    const QString like = QStringLiteral("like");
    const QList<StandardUserView> views = {
        {1,
         Txt::ViewLatestAdditions,
         {QStringLiteral("DATE_ADDED")},
         {QStringLiteral(">")},
         {QStringLiteral("TODAY-60")},
         QStringLiteral("SEQNUMBER DESC"),
         50,
         &upgradeEntryThumbIni},
        {2,
         Txt::ViewTopRated,
         {QStringLiteral("USERRATING")},
         {QStringLiteral("=")},
         {QStringLiteral("10")},
         QStringLiteral("TITLESORT ASC"),
         11,
         &upgradeEntryThumbIni},
        {3,
         Txt::ViewUnwatched,
         {QStringLiteral("WATCHED")},
         {QStringLiteral("=")},
         {QStringLiteral("0")},
         QStringLiteral("TITLESORT ASC"),
         23,
         &upgradeEntryCardIni},
        {4,
         Txt::ViewBluRay,
         {QStringLiteral("MEDIATYPE_ID")},
         {QStringLiteral("=")},
         {QStringLiteral("Blu-ray")},
         QStringLiteral("TITLESORT ASC"),
         29,
         &upgradeEntryThumbIni},
        {5,
         Txt::ViewOscarMovies,
         {QStringLiteral("AWARDNAME"), QStringLiteral("RESULT")},
         {QStringLiteral("="), QStringLiteral("=")},
         {QStringLiteral("Oscar"), QStringLiteral("1")},
         QStringLiteral("TITLESORT ASC"),
         55,
         &upgradeEntryCardIni},
        {6,
         Txt::ViewOscarPeople,
         {QStringLiteral("AWARDNAME"), QStringLiteral("RESULT")},
         {QStringLiteral("="), QStringLiteral("=")},
         {QStringLiteral("Oscar"), QStringLiteral("1")},
         QStringLiteral("NAME ASC"),
         54,
         &upgradePeopleListIni},
    };
    try {
        FbQuery insert(MainConnection);
        for (const StandardUserView &view : views) {
            QStringList fields = view.fields, operators = view.operators, values = view.values;
            while (fields.size() < 3) {
                fields << none;
                operators << like;
                values << QString();
            }
            QStringList sqlValues{QString::number(view.id), QuotedStr(GetText(view.nameText))};
            for (const QStringList *column : {&fields, &operators, &values}) {
                for (const QString &value : *column)
                    sqlValues << QuotedStr(value);
            }
            sqlValues << QuotedStr(QString()) << QuotedStr(view.sort1);
            for (int i = 2; i <= 5; ++i)
                sqlValues << QuotedStr(QString());
            sqlValues << QString::number(view.id) << QString::number(view.iconIndex) << QStringLiteral(":INIFILE_BLOB");
            insert.setSql(QStringLiteral("insert into USERVIEW (USERVIEW_ID, NAME, DBFIELD1, DBFIELD2, DBFIELD3, "
                                         "DBOPERATOR1, DBOPERATOR2, DBOPERATOR3, DBVALUE1, DBVALUE2, DBVALUE3, "
                                         "DBCONDITION, SORT1, SORT2, SORT3, SORT4, SORT5, LISTINDEX, ICONINDEX, "
                                         "INIFILE_BLOB) values (") +
                          sqlValues.join(QStringLiteral(", ")) + QLatin1Char(')'));
            insert.setTextBlobParam(QStringLiteral("INIFILE_BLOB"), *view.layout);
            insert.exec();
        }
        MainConnection.commitRetaining();
    } catch (const FbError &) {
        // A database that has these views already keeps its own; nothing more is inserted.
    }
}

void TDM1::OpenDatabase(const QString &givenPath)
{
    QString path = givenPath.trimmed();
    if (path.isEmpty())
        path = GetDatabaseFolder() + GetText(Txt::DefaultDatabaseName) + QStringLiteral(".fdb");
    path = NormalizedDatabaseString(path);

    m_countQuery.reset();
    MainConnection.disconnect();

    if (path.contains(QStringLiteral(".gdb"), Qt::CaseInsensitive)) {
        const QString oldPath = path;
        path = replaceGdbExtension(path);
        if (FbConnection::isLocalDatabaseString(oldPath))
            QFile::rename(oldPath, path);
        DatabaseList list;
        if (!list.exists())
            list.save({path});
        else if (list.entries().contains(oldPath))
            list.replace(oldPath, path);
    }

    MainConnection.setDatabaseName(path);
    QString error;
    bool connected = ConnectMainDatabase(&error);
    if (!connected)
        showOpenFailure(path, error);

    if (!connected) {
        DatabaseList list;
        if (!list.exists())
            list.save({path});
        for (const QString &candidate : list.entries()) {
            // The path that just failed would only fail again with the same warning.
            if (DatabaseList::sameDatabaseString(candidate, path))
                continue;
            if (connectCandidate(candidate)) {
                connected = true;
                break;
            }
        }
    }

    if (!connected) {
        runFirstStartDialog();
        m_countQuery.reset();
        MainConnection.disconnect();
        return;
    }

    if (hooks.decideGridMode)
        hooks.decideGridMode(FbConnection::isLocalDatabaseString(MainConnection.databaseName()), movieCount());
    m_countQuery.reset();
    MainConnection.disconnect();
    UpgradeRNZDB();
    if (hooks.refillDatabaseSelector)
        hooks.refillDatabaseSelector();
}

void TDM1::runFirstStartDialog()
{
    m_firstStartAbandoned = !userInterface().runFirstStartDialog();
    if (hooks.translateMainWindow)
        hooks.translateMainWindow();
}

bool TDM1::connectCandidate(const QString &databaseString)
{
    MainConnection.setDatabaseName(databaseString);
    QString error;
    if (ConnectMainDatabase(&error))
        return true;
    showOpenFailure(databaseString, error);
    return false;
}

void TDM1::showOpenFailure(const QString &databaseString, const QString &engineMessage)
{
    userInterface().setBusyCursor(false);
    userInterface().showMessage(MessageKind::Warning, OpenFailureText(databaseString, engineMessage),
                                MessageButtons::Ok);
}

int TDM1::movieCount()
{
    return ReturnCountFunction(QStringLiteral("select MOVIE_ID from MOVIE"));
}

void TDM1::UpgradeRNZDB()
{
    // Collections of this version need no upgrade; older ones are brought up to date by the
    // upgrade scripts once they exist.
}

BrowseQuery &TDM1::BrowseQueryOf(int viewTable)
{
    if (viewTable == ViewKind::Media)
        return qry_Media;
    if (viewTable == ViewKind::Persons)
        return qry_Person;
    return qry_Movie;
}

void TDM1::CloseViewDatasets()
{
    // The loan and wish-list queries join these once their forms exist.
    qry_Movie.Close();
    qry_Media.Close();
    qry_Person.Close();
}

int TDM1::ReturnCountFunction(const QString &SqlStatement, const QVariantMap &SqlParams)
{
    try {
        if (!MainConnection.isConnected() || !MainConnection.inTransaction())
            return 0;
        if (!m_countQuery)
            m_countQuery = std::make_unique<FbQuery>(MainConnection);
        FbQuery &query = *m_countQuery;
        query.close();
        query.setSql(CountQueryText(SqlStatement));
        query.clearParams();
        for (auto it = SqlParams.cbegin(); it != SqlParams.cend(); ++it)
            query.setParam(it.key(), it.value());
        query.open();
        const int count = query.next() ? query.value(0).toInt() : 0;
        query.close();
        return count;
    } catch (const FbError &) {
        return 0;
    }
}

QString CountQueryText(const QString &selectStatement)
{
    QString sql = selectStatement;
    const qsizetype groupBy = findKeyword(sql, QStringLiteral("group\\s+by"));
    if (groupBy < 0) {
        const qsizetype from = findKeyword(sql, QStringLiteral("from"));
        if (from < 0)
            return sql;
        sql = QStringLiteral("select count(*) ") + sql.mid(from);
        const qsizetype orderBy = findKeyword(sql, QStringLiteral("order\\s+by"));
        if (orderBy >= 0)
            sql.truncate(orderBy);
        return sql;
    }
    sql.truncate(groupBy);
    const qsizetype count = sql.indexOf(QStringLiteral("count("), 0, Qt::CaseInsensitive);
    if (count >= 0)
        sql.insert(count + 6, QStringLiteral("distinct "));
    const qsizetype select = findKeyword(sql, QStringLiteral("select"));
    const qsizetype comma = sql.indexOf(QLatin1Char(','));
    if (select >= 0 && comma > select) {
        const qsizetype itemStart = select + 7;
        sql.remove(itemStart, comma + 2 - itemStart);
    }
    return sql;
}

int CountRows(const QString &sql)
{
    return HasDM1() ? DM1().ReturnCountFunction(sql) : 0;
}

int CountDataSetRows(const FbQuery &query)
{
    return HasDM1() ? DM1().ReturnCountFunction(query.sql(), query.paramValues()) : 0;
}

bool DecideOptimizedMode(bool useOptimizedModeOption, int movieCount, const QString &databaseString)
{
    if (useOptimizedModeOption && movieCount > 3000)
        return true;
    return !FbConnection::isLocalDatabaseString(databaseString);
}

QString GetCurrentDatabaseFileName()
{
    return HasDM1() ? databaseFileName(DM1().MainConnection.databaseName()) : QString();
}

QString NormalizedDatabaseString(const QString &databaseString)
{
#ifdef Q_OS_WIN
    return databaseString.toLower();
#else
    return databaseString;
#endif
}

QString OpenFailureText(const QString &databaseString, const QString &engineMessage)
{
    QString text = GetText(Txt::OpenFailure);
    if (!FbConnection::isLocalDatabaseString(databaseString))
        text += QStringLiteral("\n\n") + GetText(Txt::OpenFailureServer);
    text += QStringLiteral("\n\n") + GetText(Txt::OpenFailureEngine) + QLatin1Char('\n') + engineMessage;
    return text;
}

void ApplySecurityList(const QString &securityFile, const QString &databaseString, QString *userName, QString *password)
{
    QFile file(securityFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).trimmed().compare(databaseString.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        // The last line has no credentials after it: the defaults stay.
        if (i + 1 >= lines.size())
            return;
        const QString credentials = lines.at(i + 1).trimmed();
        const qsizetype colon = credentials.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return;
        *userName = credentials.left(colon);
        *password = credentials.mid(colon + 1);
        return;
    }
}
