#include "views/ViewFields.h"

#include "core/GlobalFunctions.h"
#include "views/BrowseSql.h"

#include <QHash>

#include <algorithm>

namespace {

QStringList split(const char *names)
{
    return QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

const QStringList &movieFields()
{
    static const QStringList fields = split(
        "ICON_BLOB LENDALERT HASTRAILER THREED_ALERT TITLE MOVIETIME PRODUCTIONYEAR PLOTOUTLINE USERRATING SEQNUMBER "
        "WATCHED_ALERT LASTWATCHEDDATE_TEXT DATE_ADDED TAGLINE STUDIO PLOT ORIGTITLE BUDGET THEATERDATE_TEXT "
        "RELEASEDATE_TEXT TITLESORT ORIGTITLESORT GENRES LOCATION RELEASEYEAR THEATERYEAR COMMENTS SERIESNAME SEASON "
        "LENDDATE_TEXT LENDTO MOVIETIME_HOURS CERTIFICATION_TEXT COUNTRY_TEXT MEDIATYPE_TEXT IMDBRATING THEATERDATE "
        "RELEASEDATE LASTWATCHEDDATE DIRECTOR PRODUCER WRITER FILE_CODECNAME FILE_FORMAT FILE_VIDEOSIZE FILE_BITRATE "
        "FILE_FRAMERATE FILE_STANDARD FILE_RESOLUTION ORIGINAL_LANGUAGE_TEXT DATE_MODIFIED TRIVIA GROSSREVENUE UPC "
        "GROUP_TEXT ROTTEN_RATING FOURK_ALERT FRONTCOVER_BLOB");
    return fields;
}

const QStringList &mediaFields()
{
    static const QStringList fields =
        split("LENDALERT TITLE MEDIATYPE_TEXT EDITION LOCATION SEQNUMBER MEDIATIME_TEXT LENDTO DATE_ADDED MEDIA_ID "
              "TITLESORT MEDIATIME LENDDATE LENDDATE_TEXT MEDIATYPE_ID LEND_ID REGIONCODE UPC STATUS BUYPRICE BUYDATE "
              "BUYDATE_TEXT FRONTCOVER_BLOB MEDIATIME_HOURS DECK SLOT MEDIAOWNER DATE_MODIFIED");
    return fields;
}

const QStringList &personFields()
{
    static const QStringList fields = split("PICTURE NAME BIRTHYEAR BIO PERSON_ID IMDBID");
    return fields;
}

struct GridViewEntry
{
    const char *name;
    int viewTable;
    int viewType;
    const char *visible;
};

const GridViewEntry kGridViews[] = {
    {"grid_ViewEntryDBTableView1", ViewKind::Movies, ViewType::List,
     "ICON_BLOB LENDALERT HASTRAILER THREED_ALERT TITLE MOVIETIME PRODUCTIONYEAR PLOTOUTLINE USERRATING SEQNUMBER "
     "WATCHED_ALERT LASTWATCHEDDATE_TEXT DATE_ADDED"},
    {"grid_EntryCardDBCardView1", ViewKind::Movies, ViewType::Thumbnails, "FRONTCOVER_BLOB TITLE MOVIETIME_HOURS"},
    {"grid_EntryCardDBCardView2", ViewKind::Movies, ViewType::Cards,
     "FRONTCOVER_BLOB TITLE TAGLINE MOVIETIME THEATERYEAR LASTWATCHEDDATE_TEXT PRODUCTIONYEAR"},
    {"grid_ViewMediaDBTableView1", ViewKind::Media, ViewType::List,
     "LENDALERT TITLE MEDIATYPE_TEXT EDITION LOCATION SEQNUMBER MEDIATIME_TEXT LENDTO DATE_ADDED"},
    {"grid_ViewMediaDBCardView1", ViewKind::Media, ViewType::Thumbnails, "FRONTCOVER_BLOB TITLE LOCATION"},
    {"grid_ViewMediaDBCardView2", ViewKind::Media, ViewType::Cards,
     "FRONTCOVER_BLOB TITLE EDITION MEDIATYPE_TEXT SEQNUMBER LOCATION BUYDATE_TEXT"},
    {"grid_ViewPersonDBTableView2", ViewKind::Persons, ViewType::List, "PICTURE NAME BIRTHYEAR BIO"},
    {"grid_ViewPersonDBCardView1", ViewKind::Persons, ViewType::Thumbnails, "PICTURE NAME BIRTHYEAR"},
    {"grid_ViewPersonDBCardView2", ViewKind::Persons, ViewType::Cards, "PICTURE NAME BIRTHYEAR BIO"},
};

const GridViewEntry *gridViewEntry(const QString &name)
{
    for (const GridViewEntry &entry : kGridViews) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

int defaultWidth(const QString &field)
{
    static const QHash<QString, int> widths = {
        {QStringLiteral("ICON_BLOB"), 44},       {QStringLiteral("LENDALERT"), 26},
        {QStringLiteral("HASTRAILER"), 26},      {QStringLiteral("THREED_ALERT"), 26},
        {QStringLiteral("FOURK_ALERT"), 26},     {QStringLiteral("WATCHED_ALERT"), 26},
        {QStringLiteral("TITLE"), 260},          {QStringLiteral("PLOTOUTLINE"), 300},
        {QStringLiteral("USERRATING"), 90},      {QStringLiteral("MOVIETIME"), 95},
        {QStringLiteral("PRODUCTIONYEAR"), 110}, {QStringLiteral("SEQNUMBER"), 90},
        {QStringLiteral("NAME"), 220},           {QStringLiteral("BIO"), 400},
        {QStringLiteral("PICTURE"), 44},         {QStringLiteral("BIRTHYEAR"), 70},
        {QStringLiteral("TAGLINE"), 250},        {QStringLiteral("PLOT"), 300},
        {QStringLiteral("LENDTO"), 160},         {QStringLiteral("FRONTCOVER_BLOB"), 60},
    };
    return widths.value(field, 100);
}

QString viewTableWord(int viewTable)
{
    switch (viewTable) {
    case ViewKind::Media:
        return QStringLiteral("Media");
    case ViewKind::Persons:
        return QStringLiteral("Persons");
    default:
        return QStringLiteral("Movies");
    }
}

QString viewTypeWord(int viewType)
{
    switch (viewType) {
    case ViewType::Thumbnails:
        return QStringLiteral("Thumbnails");
    case ViewType::Cards:
        return QStringLiteral("Cards");
    default:
        return QStringLiteral("List");
    }
}

} // namespace

QStringList ViewFieldNames(int viewTable)
{
    switch (viewTable) {
    case ViewKind::Media:
        return mediaFields();
    case ViewKind::Persons:
        return personFields();
    default:
        return movieFields();
    }
}

QString FieldCaption(const QString &field)
{
    // Language texts of the field catalogue; the few fields without one have fixed captions.
    static const QHash<QString, int> texts = {
        {QStringLiteral("TITLE"), 21},
        {QStringLiteral("TITLESORT"), 21},
        {QStringLiteral("MEDIATYPE_TEXT"), 35},
        {QStringLiteral("MEDIATYPE_ID"), 35},
        {QStringLiteral("ICON_BLOB"), 35},
        {QStringLiteral("EDITION"), 49},
        {QStringLiteral("STUDIO"), 50},
        {QStringLiteral("LOCATION"), 51},
        {QStringLiteral("STATUS"), 52},
        {QStringLiteral("TAGLINE"), 53},
        {QStringLiteral("ORIGTITLE"), 54},
        {QStringLiteral("ORIGTITLESORT"), 54},
        {QStringLiteral("NAME"), 117},
        {QStringLiteral("LENDTO"), 159},
        {QStringLiteral("COMMENTS"), 162},
        {QStringLiteral("SEQNUMBER"), 169},
        {QStringLiteral("MEDIATIME"), 170},
        {QStringLiteral("MEDIATIME_TEXT"), 170},
        {QStringLiteral("MEDIATIME_HOURS"), 170},
        {QStringLiteral("UPC"), 171},
        {QStringLiteral("REGIONCODE"), 172},
        {QStringLiteral("BUDGET"), 173},
        {QStringLiteral("RELEASEDATE"), 174},
        {QStringLiteral("RELEASEDATE_TEXT"), 174},
        {QStringLiteral("THEATERDATE"), 175},
        {QStringLiteral("THEATERDATE_TEXT"), 175},
        {QStringLiteral("CERTIFICATION_TEXT"), 176},
        {QStringLiteral("COUNTRY_TEXT"), 177},
        {QStringLiteral("BUYPRICE"), 184},
        {QStringLiteral("BUYDATE"), 185},
        {QStringLiteral("BUYDATE_TEXT"), 185},
        {QStringLiteral("USERRATING"), 186},
        {QStringLiteral("MOVIETIME"), 187},
        {QStringLiteral("MOVIETIME_HOURS"), 187},
        {QStringLiteral("PLOT"), 191},
        {QStringLiteral("GENRES"), 220},
        {QStringLiteral("SEASON"), 382},
        {QStringLiteral("SERIESNAME"), 383},
        {QStringLiteral("LASTWATCHEDDATE"), 400},
        {QStringLiteral("LASTWATCHEDDATE_TEXT"), 400},
        {QStringLiteral("PRODUCTIONYEAR"), 1403},
        {QStringLiteral("BIRTHYEAR"), 1429},
        {QStringLiteral("BIO"), 1430},
        {QStringLiteral("WATCHED_ALERT"), 1488},
        {QStringLiteral("IMDBRATING"), 1490},
        {QStringLiteral("DIRECTOR"), 1573},
        {QStringLiteral("FILE_CODECNAME"), 1607},
        {QStringLiteral("FILE_FORMAT"), 1608},
        {QStringLiteral("FILE_VIDEOSIZE"), 1609},
        {QStringLiteral("FILE_BITRATE"), 1610},
        {QStringLiteral("FILE_FRAMERATE"), 1611},
        {QStringLiteral("FILE_STANDARD"), 1612},
        {QStringLiteral("FILE_RESOLUTION"), 1613},
        {QStringLiteral("MEDIAOWNER"), 1646},
        {QStringLiteral("ORIGINAL_LANGUAGE_TEXT"), 1647},
        {QStringLiteral("DATE_ADDED"), 1648},
        {QStringLiteral("DATE_MODIFIED"), 1649},
        {QStringLiteral("TRIVIA"), 1654},
        {QStringLiteral("IMDBID"), 1655},
        {QStringLiteral("GROUP_TEXT"), 1771},
        {QStringLiteral("GROSSREVENUE"), 1779},
        {QStringLiteral("ROTTEN_RATING"), 1809},
    };
    static const QHash<QString, QString> fixed = {
        {QStringLiteral("LENDALERT"), QStringLiteral("Loan Alert")},
        {QStringLiteral("HASTRAILER"), QStringLiteral("Trailer")},
        {QStringLiteral("THREED_ALERT"), QStringLiteral("3D")},
        {QStringLiteral("FOURK_ALERT"), QStringLiteral("4K")},
        {QStringLiteral("FRONTCOVER_BLOB"), QStringLiteral("Cover")},
        {QStringLiteral("PICTURE"), QStringLiteral("Picture")},
        {QStringLiteral("PLOTOUTLINE"), QStringLiteral("Plot Outline")},
        {QStringLiteral("PRODUCER"), QStringLiteral("Producer")},
        {QStringLiteral("WRITER"), QStringLiteral("Writer")},
        {QStringLiteral("RELEASEYEAR"), QStringLiteral("Release Year")},
        {QStringLiteral("THEATERYEAR"), QStringLiteral("Theatre Year")},
        {QStringLiteral("LENDDATE"), QStringLiteral("Loan Date")},
        {QStringLiteral("LENDDATE_TEXT"), QStringLiteral("Loan Date")},
        {QStringLiteral("LEND_ID"), QStringLiteral("Borrower ID")},
        {QStringLiteral("MEDIA_ID"), QStringLiteral("Media ID")},
        {QStringLiteral("PERSON_ID"), QStringLiteral("Person ID")},
        {QStringLiteral("DECK"), QStringLiteral("Deck")},
        {QStringLiteral("SLOT"), QStringLiteral("Slot")},
    };
    const auto text = texts.constFind(field);
    if (text != texts.constEnd())
        return GetText(text.value());
    return fixed.value(field, field);
}

FieldDrawing FieldDrawingOf(const QString &field)
{
    if (field == QLatin1String("ICON_BLOB") || field == QLatin1String("FRONTCOVER_BLOB") ||
        field == QLatin1String("PICTURE"))
        return FieldDrawing::Image;
    if (field == QLatin1String("LENDALERT") || field == QLatin1String("WATCHED_ALERT") ||
        field == QLatin1String("THREED_ALERT") || field == QLatin1String("FOURK_ALERT") ||
        field == QLatin1String("HASTRAILER"))
        return FieldDrawing::Alert;
    if (field == QLatin1String("USERRATING"))
        return FieldDrawing::Rating;
    return FieldDrawing::Text;
}

const QStringList &ListFields()
{
    static const QStringList fields = split("DIRECTOR PRODUCER WRITER GENRES");
    return fields;
}

QString SortCompanion(const QString &field)
{
    static const QHash<QString, QString> companions = {
        {QStringLiteral("TITLE"), QStringLiteral("TITLESORT")},
        {QStringLiteral("ORIGTITLE"), QStringLiteral("ORIGTITLESORT")},
        {QStringLiteral("LASTWATCHEDDATE_TEXT"), QStringLiteral("LASTWATCHEDDATE")},
        {QStringLiteral("RELEASEDATE_TEXT"), QStringLiteral("RELEASEDATE")},
        {QStringLiteral("THEATERDATE_TEXT"), QStringLiteral("THEATERDATE")},
        {QStringLiteral("BUYDATE_TEXT"), QStringLiteral("BUYDATE")},
        {QStringLiteral("LENDDATE_TEXT"), QStringLiteral("LENDDATE")},
        {QStringLiteral("MOVIETIME_HOURS"), QStringLiteral("MOVIETIME")},
        {QStringLiteral("MEDIATIME_HOURS"), QStringLiteral("MEDIATIME")},
        {QStringLiteral("MEDIATIME_TEXT"), QStringLiteral("MEDIATIME")},
    };
    return companions.value(field, field);
}

QString GridViewName(int viewTable, int viewType)
{
    for (const GridViewEntry &entry : kGridViews) {
        if (entry.viewTable == viewTable && entry.viewType == viewType)
            return QLatin1String(entry.name);
    }
    return QString();
}

bool GridViewOfName(const QString &name, int *viewTable, int *viewType)
{
    const GridViewEntry *entry = gridViewEntry(name);
    if (!entry)
        return false;
    if (viewTable)
        *viewTable = entry->viewTable;
    if (viewType)
        *viewType = entry->viewType;
    return true;
}

QStringList GridViewNames()
{
    QStringList names;
    for (const GridViewEntry &entry : kGridViews)
        names << QLatin1String(entry.name);
    return names;
}

QStringList GridLayout::visibleFields() const
{
    QStringList fields;
    for (const GridColumn &column : columns) {
        if (column.visible)
            fields << column.field;
    }
    return fields;
}

bool GridLayout::isVisible(const QString &field) const
{
    const int i = indexOf(field);
    return i >= 0 && columns.at(i).visible;
}

int GridLayout::indexOf(const QString &field) const
{
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).field == field)
            return i;
    }
    return -1;
}

GridLayout DefaultGridLayout(const QString &gridViewName)
{
    GridLayout layout;
    const GridViewEntry *entry = gridViewEntry(gridViewName);
    if (!entry)
        return layout;
    layout.gridViewName = QLatin1String(entry->name);
    const QStringList visible = split(entry->visible);
    for (const QString &field : visible)
        layout.columns.append({field, true, defaultWidth(field)});
    for (const QString &field : ViewFieldNames(entry->viewTable)) {
        if (!visible.contains(field))
            layout.columns.append({field, false, defaultWidth(field)});
    }
    return layout;
}

GridLayout FittedGridLayout(const GridLayout &stored, const QString &gridViewName)
{
    GridLayout layout = DefaultGridLayout(gridViewName);
    int viewTable = 0;
    if (!GridViewOfName(gridViewName, &viewTable, nullptr))
        return layout;
    const QStringList offered = ViewFieldNames(viewTable);
    QList<GridColumn> columns;
    for (const GridColumn &column : stored.columns) {
        if (!offered.contains(column.field) ||
            std::any_of(columns.cbegin(), columns.cend(), [&](const GridColumn &c) { return c.field == column.field; }))
            continue;
        GridColumn fitted = column;
        if (fitted.width <= 0)
            fitted.width = defaultWidth(fitted.field);
        columns.append(fitted);
    }
    for (const QString &field : offered) {
        if (std::none_of(columns.cbegin(), columns.cend(), [&](const GridColumn &c) { return c.field == field; }))
            columns.append({field, false, defaultWidth(field)});
    }
    layout.columns = columns;
    layout.groupBy = offered.contains(stored.groupBy) ? stored.groupBy : QString();
    layout.sortField = offered.contains(stored.sortField) ? stored.sortField : QString();
    layout.sortDescending = stored.sortDescending;
    return layout;
}

QString GridLayoutToText(const GridLayout &layout)
{
    int viewTable = ViewKind::Movies;
    int viewType = ViewType::List;
    GridViewOfName(layout.gridViewName, &viewTable, &viewType);
    QStringList lines = {QStringLiteral("[Main]"),
                         QStringLiteral("Version=2"),
                         QStringLiteral("[View]"),
                         QStringLiteral("Name=") + layout.gridViewName,
                         QStringLiteral("Table=") + viewTableWord(viewTable),
                         QStringLiteral("Layout=") + viewTypeWord(viewType)};
    if (!layout.groupBy.isEmpty())
        lines << QStringLiteral("GroupBy=") + layout.groupBy;
    if (!layout.sortField.isEmpty()) {
        lines << QStringLiteral("SortField=") + layout.sortField
              << QStringLiteral("SortOrder=") + QLatin1String(layout.sortDescending ? "DESC" : "ASC");
    }
    for (const GridColumn &column : layout.columns) {
        lines << QStringLiteral("[Column.") + column.field + QLatin1Char(']')
              << QStringLiteral("Visible=") + QLatin1Char(column.visible ? '1' : '0')
              << QStringLiteral("Width=") + QString::number(column.width);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool GridLayoutFromText(const QString &text, GridLayout *layout)
{
    GridLayout result;
    QString section;
    QString table;
    QString layoutWord;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            if (section.startsWith(QLatin1String("Column."), Qt::CaseInsensitive))
                result.columns.append({section.mid(7).trimmed().toUpper(), false, 0});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (section.compare(QLatin1String("View"), Qt::CaseInsensitive) == 0) {
            if (key.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
                result.gridViewName = value;
            else if (key.compare(QLatin1String("Table"), Qt::CaseInsensitive) == 0)
                table = value;
            else if (key.compare(QLatin1String("Layout"), Qt::CaseInsensitive) == 0)
                layoutWord = value;
            else if (key.compare(QLatin1String("GroupBy"), Qt::CaseInsensitive) == 0)
                result.groupBy = value.toUpper();
            else if (key.compare(QLatin1String("SortField"), Qt::CaseInsensitive) == 0)
                result.sortField = value.toUpper();
            else if (key.compare(QLatin1String("SortOrder"), Qt::CaseInsensitive) == 0)
                result.sortDescending = value.compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        } else if (section.startsWith(QLatin1String("Column."), Qt::CaseInsensitive) && !result.columns.isEmpty()) {
            if (key.compare(QLatin1String("Visible"), Qt::CaseInsensitive) == 0)
                result.columns.last().visible = value != QLatin1String("0");
            else if (key.compare(QLatin1String("Width"), Qt::CaseInsensitive) == 0)
                result.columns.last().width = value.toInt();
        }
    }
    if (result.gridViewName.isEmpty() || !GridViewOfName(result.gridViewName, nullptr, nullptr)) {
        result.gridViewName.clear();
        for (const int viewTable : {ViewKind::Movies, ViewKind::Media, ViewKind::Persons}) {
            for (const int viewType : {ViewType::List, ViewType::Thumbnails, ViewType::Cards}) {
                if (table.compare(viewTableWord(viewTable), Qt::CaseInsensitive) == 0 &&
                    layoutWord.compare(viewTypeWord(viewType), Qt::CaseInsensitive) == 0)
                    result.gridViewName = GridViewName(viewTable, viewType);
            }
        }
    } else {
        result.gridViewName = QLatin1String(gridViewEntry(result.gridViewName)->name); // the usual spelling
    }
    if (result.gridViewName.isEmpty())
        return false;
    *layout = result;
    return true;
}

QString GridLayoutSection(const QString &gridViewName)
{
    return QStringLiteral("VM\\GridSettings\\") + gridViewName + QStringLiteral("\\Config");
}

QString GridLayoutValueName()
{
    return QStringLiteral("Layout");
}

int StoredViewType(int viewTable)
{
    const int type = ReadSettingIntegerLenient(QString::number(viewTable), QStringLiteral("VM\\GridSettings\\InitType"),
                                               ViewType::Thumbnails);
    return IsViewType(type) ? type : int(ViewType::Thumbnails);
}

void StoreViewType(int viewTable, int viewType)
{
    WriteSettingInteger(QString::number(viewTable), QStringLiteral("VM\\GridSettings\\InitType"), viewType);
}
