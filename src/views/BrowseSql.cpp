#include "views/BrowseSql.h"

#include <QRegularExpression>
#include <QSet>

namespace {

// Columns of MOVIE_EXTENDED_VIEW that are MOVIE's own columns under the same name. An order line
// over these alone sorts the movies the same way whether the view or the table is read.
const QSet<QString> &movieOwnColumns()
{
    static const QSet<QString> columns = {
        QStringLiteral("MEDIA_ID"),         QStringLiteral("MOVIE_ID"),        QStringLiteral("TITLE"),
        QStringLiteral("TITLESORT"),        QStringLiteral("STUDIO"),          QStringLiteral("MOVIETIME"),
        QStringLiteral("COUNTRY_ID"),       QStringLiteral("OFFICIALSITE"),    QStringLiteral("PLOTOUTLINE"),
        QStringLiteral("CERTIFICATION_ID"), QStringLiteral("TAGLINE"),         QStringLiteral("USERRATING"),
        QStringLiteral("IMDBID"),           QStringLiteral("ORIGTITLE"),       QStringLiteral("ORIGTITLESORT"),
        QStringLiteral("BUDGET"),           QStringLiteral("GROSSREVENUE"),    QStringLiteral("THEATERDATE"),
        QStringLiteral("RELEASEDATE"),      QStringLiteral("PRODUCTIONYEAR"),  QStringLiteral("SERIESNAME"),
        QStringLiteral("SEASON"),           QStringLiteral("WATCHED"),         QStringLiteral("LASTWATCHEDDATE"),
        QStringLiteral("IMDBRATING"),       QStringLiteral("DISCNO"),          QStringLiteral("THREED_ENABLED"),
        QStringLiteral("FOURK_ENABLED"),    QStringLiteral("FILE_CODECNAME"),  QStringLiteral("FILE_FORMAT"),
        QStringLiteral("FILE_VIDEOSIZE"),   QStringLiteral("FILE_BITRATE"),    QStringLiteral("FILE_FRAMERATE"),
        QStringLiteral("FILE_STANDARD"),    QStringLiteral("FILE_RESOLUTION"), QStringLiteral("GROUP_ID"),
        QStringLiteral("HTTPERROR"),        QStringLiteral("ROTTEN_RATING"),
    };
    return columns;
}

// True when every item of an order line is a plain column of MOVIE with an optional direction.
bool ordersByMovieColumns(const QString &orderLine)
{
    static const QRegularExpression orderBy(QStringLiteral("^\\s*order\\s+by\\s+"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression item(QStringLiteral("^\\s*(\\w+)(\\s+(asc|desc|ascending|descending))?\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch head = orderBy.match(orderLine);
    if (!head.hasMatch())
        return false;
    const QStringList items = orderLine.mid(head.capturedEnd()).split(QLatin1Char(','));
    for (const QString &text : items) {
        const QRegularExpressionMatch m = item.match(text);
        if (!m.hasMatch() || !movieOwnColumns().contains(m.captured(1).toUpper()))
            return false;
    }
    return true;
}

} // namespace

bool IsViewKind(int viewTable)
{
    return viewTable == ViewKind::Movies || viewTable == ViewKind::Media || viewTable == ViewKind::Persons;
}

bool IsViewType(int viewType)
{
    return viewType >= ViewType::List && viewType <= ViewType::Cards;
}

QString ViewTableName(int viewTable)
{
    switch (viewTable) {
    case ViewKind::Media:
        return QStringLiteral("MEDIA");
    case ViewKind::Persons:
        return QStringLiteral("PERSON");
    default:
        return QStringLiteral("MOVIE_EXTENDED_VIEW");
    }
}

QString BaseSelectLine(int viewTable)
{
    return QStringLiteral("select * from ") + ViewTableName(viewTable);
}

QString LimitSelectLine(int viewTable, int limit)
{
    if (limit < 1)
        return BaseSelectLine(viewTable);
    return QStringLiteral("select first %1 * from ").arg(limit) + ViewTableName(viewTable);
}

QString BuiltInOrderLine(int viewTable)
{
    return viewTable == ViewKind::Persons ? QStringLiteral("order by NAME ASC")
                                          : QStringLiteral("order by TITLESORT ASC");
}

QString DataSourceName(int viewTable)
{
    switch (viewTable) {
    case ViewKind::Media:
        return QStringLiteral("ds_Media");
    case ViewKind::Persons:
        return QStringLiteral("ds_Person");
    default:
        return QStringLiteral("ds_Movie");
    }
}

QString KeyFieldName(int viewTable)
{
    switch (viewTable) {
    case ViewKind::Media:
        return QStringLiteral("MEDIA_ID");
    case ViewKind::Persons:
        return QStringLiteral("PERSON_ID");
    default:
        return QStringLiteral("MOVIE_ID");
    }
}

QStringList KeyColumns(int viewTable)
{
    if (viewTable == ViewKind::Movies || !IsViewKind(viewTable))
        return {QStringLiteral("MEDIA_ID"), QStringLiteral("MOVIE_ID")};
    return {KeyFieldName(viewTable)};
}

bool IsOrderLine(const QString &line)
{
    static const QRegularExpression re(QStringLiteral("^\\s*order\\s+by\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(line).hasMatch();
}

QString BrowseSqlLines::orderLine() const
{
    return !m_lines.isEmpty() && IsOrderLine(m_lines.constLast()) ? m_lines.constLast() : QString();
}

QString BrowseSqlLines::beginRebuild(const QString &selectLine)
{
    const QString kept = orderLine();
    m_lines = {selectLine};
    return kept;
}

bool BrowseSqlLines::isFirstCondition() const
{
    return m_lines.size() == (orderLine().isEmpty() || m_lines.size() == 1 ? 1 : 2);
}

void BrowseSqlLines::addCondition(const QString &connective, const QString &condition)
{
    if (m_lines.isEmpty())
        return; // a condition needs the select line before it
    const QString line =
        isFirstCondition() ? QStringLiteral("where ") + condition : connective + QLatin1Char(' ') + condition;
    // Conditions go before an order line, which stays last.
    if (m_lines.size() > 1 && !orderLine().isEmpty())
        m_lines.insert(m_lines.size() - 1, line);
    else
        m_lines.append(line);
}

void BrowseSqlLines::endRebuild(const QString &orderLine)
{
    if (!orderLine.isEmpty())
        m_lines.append(orderLine);
}

void BrowseSqlLines::replaceOrderLine(const QString &orderLine)
{
    if (!m_lines.isEmpty() && IsOrderLine(m_lines.constLast()))
        m_lines.removeLast();
    m_lines.append(orderLine);
}

void BrowseSqlLines::reset(const QString &selectLine, const QString &orderLine)
{
    m_lines = {selectLine};
    if (!orderLine.isEmpty())
        m_lines.append(orderLine);
}

BrowseStatements PlanBrowseStatements(int viewTable, const QStringList &lines)
{
    BrowseStatements plan;
    const QString text = lines.join(QLatin1Char('\n'));
    plan.countSql = text;

    static const QRegularExpression firstN(QStringLiteral("^\\s*select\\s+first\\s+(\\d+)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch limit = firstN.match(text);
    if (limit.hasMatch())
        plan.limit = limit.captured(1).toInt();

    static const QRegularExpression allColumns(
        QStringLiteral("^\\s*select\\s+(first\\s+\\d+\\s+)?\\*\\s+from\\s+(\\w+)(?=\\s|$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch select = allColumns.match(text);
    const QString table = ViewTableName(viewTable);
    if (!select.hasMatch() || select.captured(2).compare(table, Qt::CaseInsensitive) != 0)
        return plan;
    // Only the kind's table, perhaps with an alias: with a join or a union the columns would not
    // be the table's.
    static const QRegularExpression tail(
        QStringLiteral(
            "^(\\s+(as\\s+)?(?!(where|order|group|plan|rows|union|join|left|right|inner|full|cross|natural)\\b)"
            "\\w+)?\\s*($|(where|order|group|plan|rows)\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression union_(QStringLiteral("\\bunion\\b"), QRegularExpression::CaseInsensitiveOption);
    const QString after = text.mid(select.capturedEnd());
    if (!tail.match(after).hasMatch() || union_.match(after).hasMatch())
        return plan;

    const QString first = select.captured(1).isEmpty() ? QString() : select.captured(1).simplified() + QLatin1Char(' ');
    const QString keys = KeyColumns(viewTable).join(QStringLiteral(", "));
    const QString rest = text.mid(select.capturedEnd());
    plan.selectHead = QStringLiteral("select ") + first;
    plan.fromClause = QStringLiteral("from ") + select.captured(2) + rest;

    // A movies view without conditions lists exactly the movies: every join of the database view
    // meets at most one row. Reading MOVIE alone spares the engine those joins.
    const QRegularExpressionMatch firstLine = allColumns.match(lines.value(0));
    const bool wholeFirstLine = firstLine.hasMatch() && lines.value(0).mid(firstLine.capturedEnd()).trimmed().isEmpty();
    if (viewTable == ViewKind::Movies && wholeFirstLine &&
        (lines.size() == 1 || (lines.size() == 2 && ordersByMovieColumns(lines.at(1))))) {
        const QString order = lines.size() == 2 ? QLatin1Char('\n') + lines.at(1) : QString();
        plan.keysSql = QStringLiteral("select ") + first + keys + QStringLiteral(" from MOVIE") + order;
        plan.countSql = QStringLiteral("select MOVIE_ID from MOVIE");
        return plan;
    }
    plan.keysSql = QStringLiteral("select ") + first + keys + QStringLiteral(" from ") + select.captured(2) + rest;
    return plan;
}
