#pragma once

#include <QString>
#include <QStringList>

// The kinds of records the view manager browses (ViewCurrentTable) and its layouts
// (ViewCurrentType). The numbers are stored in settings and user views.
namespace ViewKind {
constexpr int Movies = 10;
constexpr int Media = 20;
constexpr int Persons = 30;
} // namespace ViewKind

namespace ViewType {
constexpr int List = 1;
constexpr int Thumbnails = 2;
constexpr int Cards = 3;
} // namespace ViewType

bool IsViewKind(int viewTable);
bool IsViewType(int viewType);

// The table or database view a kind reads: MOVIE_EXTENDED_VIEW, MEDIA or PERSON.
QString ViewTableName(int viewTable);
// "select * from " + the table.
QString BaseSelectLine(int viewTable);
// "select first N * from " + the table; the base select line when limit < 1.
QString LimitSelectLine(int viewTable, int limit);
// The order line a kind starts with when nothing else is stored.
QString BuiltInOrderLine(int viewTable);
// The name the kind's order line and search captions are stored under: ds_Movie, ds_Media, ds_Person.
QString DataSourceName(int viewTable);
// MOVIE_ID, MEDIA_ID or PERSON_ID.
QString KeyFieldName(int viewTable);

// True for a line that begins with "order by" (any case, leading blanks allowed).
bool IsOrderLine(const QString &line);

// The SQL of a browse query as a list of lines: the select line first, then condition lines (the
// first beginning with "where", each later one with its connective), then the order line. Every
// search and filter rebuilds the list but keeps the order line, and sorting replaces only the order
// line, so the sort order survives every search and the reverse.
class BrowseSqlLines
{
public:
    QStringList lines() const { return m_lines; }
    void setLines(const QStringList &lines) { m_lines = lines; }
    int count() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    QString line(int index) const { return m_lines.value(index); }
    QString lastLine() const { return m_lines.isEmpty() ? QString() : m_lines.constLast(); }
    void clear() { m_lines.clear(); }
    void append(const QString &line) { m_lines.append(line); }
    // The statement as the engine gets it: the lines joined by line breaks.
    QString text() const { return m_lines.join(QLatin1Char('\n')); }

    // The current order line: the last line when it begins with "order by", else empty.
    QString orderLine() const;
    // True while there is no condition line yet (only the select line and perhaps the order
    // line): the next condition is the first one.
    bool isFirstCondition() const;

    // Starts a rebuild: keeps the order line, clears the list and writes the select line. Returns
    // the kept order line for endRebuild.
    QString beginRebuild(const QString &selectLine);
    // Adds a condition after the select line and the conditions before it, ahead of the order
    // line: "where " + condition for the first one, otherwise connective ("and", "or") + " " +
    // condition.
    void addCondition(const QString &connective, const QString &condition);
    // Ends a rebuild by appending the kept order line (nothing when there was none).
    void endRebuild(const QString &orderLine);

    // Replaces the order line, or appends one when the list has none, so that no condition line is
    // ever taken for the order line.
    void replaceOrderLine(const QString &orderLine);

    // The select line and an order line, the state of a freshly opened kind.
    void reset(const QString &selectLine, const QString &orderLine);

private:
    QStringList m_lines;
};

// How a browse query is run. A select of all columns of the kind's table can name its columns
// instead (so long texts and pictures are read only when shown), or be split: the key statement
// lists the keys in the query's order (the engine then sorts small records), and the rows of a
// page are read by their keys. Any other statement runs as it stands.
struct BrowseStatements
{
    // The key statement; empty when the statement runs as it stands.
    QString keysSql;
    // The statement with its select list taken out: selectHead + columns + " " + fromClause.
    QString selectHead; // "select " or "select first N "
    QString fromClause; // "from TABLE" and everything after it
    // The statement to count the rows with; gives the same number as the browse SQL.
    QString countSql;
    // The "first N" of the select line; 0 when there is none.
    int limit = 0;
};
BrowseStatements PlanBrowseStatements(int viewTable, const QStringList &lines);

// The key columns of a kind, in the order the key statement selects them: movies by
// MEDIA_ID, MOVIE_ID (the table's own key), media by MEDIA_ID, persons by PERSON_ID.
QStringList KeyColumns(int viewTable);
