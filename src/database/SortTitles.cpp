#include "database/SortTitles.h"

#include "core/GlobalFunctions.h"
#include "core/UserInterface.h"
#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "database/RecordHelpers.h"

namespace {

SortWordList *registeredList = nullptr;

struct TitleRow
{
    QString key;
    QString title;
    QString originalTitle;
};

QList<TitleRow> readTitles(FbConnection &connection, const QString &sql, bool withOriginal)
{
    QList<TitleRow> rows;
    FbQuery query(connection);
    query.setSql(sql);
    query.open();
    while (query.next()) {
        rows.append({SqlKey(query.value(0).toDouble()), query.value(1).toString(),
                     withOriginal ? query.value(2).toString() : QString()});
    }
    return rows;
}

} // namespace

bool SortWordList::reload()
{
    m_words.clear();
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    try {
        FbQuery query(*connection);
        query.setSql(QStringLiteral("select WORDTOOMIT from SORT_OMIT order by WORDTOOMIT"));
        query.open();
        while (query.next())
            m_words << query.value(0).toString();
        return true;
    } catch (const FbError &) {
        m_words.clear();
        return false;
    }
}

SortWordList &CurrentSortWords()
{
    static SortWordList coreList;
    return registeredList ? *registeredList : coreList;
}

void SetCurrentSortWords(SortWordList *list)
{
    registeredList = list;
}

QString MakeSortTitle(const QString &title, const QStringList &words)
{
    // Sort titles are lower case, so the whole work is done on the lower-case title.
    const QString t = title.trimmed().toLower();
    const qsizetype length = t.size();
    for (const QString &word : words) {
        const QString w = word.toLower();
        if (w.isEmpty())
            continue;
        const qsizetype a = w.size();
        // The article at the end: "Matrix, The" or "Matrix,The". The title must end with it; the
        // same words earlier in the title ("Good, the Bad and the Ugly, The") do not matter.
        const bool trailing =
            length > a + 1 && (t.endsWith(QStringLiteral(", ") + w) || t.endsWith(QLatin1Char(',') + w));
        if (trailing) {
            QString rest = t.left(length - a).trimmed();
            rest.chop(1);
            return rest;
        }
        if (t.startsWith(w + QLatin1Char(' ')))
            return t.mid(a + 1).trimmed();
    }
    return t;
}

QString MakeSortTitle(const QString &title)
{
    return MakeSortTitle(title, CurrentSortWords().words());
}

void UpdateSortOmitList()
{
    CurrentSortWords().reload();
}

bool ReSortAllTitleFields()
{
    FbConnection *connection = OpenMainConnection();
    if (!connection)
        return false;
    BusyCursor busy;
    UserInterface &ui = userInterface();
    const QStringList words = CurrentSortWords().words();
    try {
        const QList<TitleRow> movies =
            readTitles(*connection, QStringLiteral("select MOVIE_ID, TITLE, ORIGTITLE from MOVIE"), true);
        FbQuery update(*connection);
        for (const TitleRow &movie : movies) {
            update.setSql(QStringLiteral("update MOVIE set TITLESORT = %1, ORIGTITLESORT = %2 where MOVIE_ID = %3")
                              .arg(QuotedStr(MakeSortTitle(movie.title, words)),
                                   QuotedStr(MakeSortTitle(movie.originalTitle, words)), movie.key));
            update.exec();
            ui.processEvents();
        }
        const QList<TitleRow> media =
            readTitles(*connection, QStringLiteral("select MEDIA_ID, TITLE from MEDIA"), false);
        for (const TitleRow &medium : media) {
            update.setSql(QStringLiteral("update MEDIA set TITLESORT = %1 where MEDIA_ID = %2")
                              .arg(QuotedStr(MakeSortTitle(medium.title, words)), medium.key));
            update.exec();
            ui.processEvents();
        }
        connection->commitRetaining();
        return true;
    } catch (const FbError &) {
        try {
            connection->rollbackRetaining();
        } catch (const FbError &) {
            // The connection is gone; nothing is left to undo.
        }
        return false;
    }
}
