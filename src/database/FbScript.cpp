#include "database/FbScript.h"

#include "database/FbConnection.h"
#include "database/FbQuery.h"

#include <QRegularExpression>

namespace {

// True when the piece holds nothing but blanks and comments.
bool isBlank(const QString &piece)
{
    qsizetype i = 0;
    while (i < piece.size()) {
        if (piece.at(i).isSpace()) {
            ++i;
            continue;
        }
        const bool comment = piece.mid(i, 2) == QLatin1String("--") || piece.mid(i, 2) == QLatin1String("/*");
        if (!comment)
            return false;
        i = FbQuery::skipLiteralOrComment(piece, i);
    }
    return true;
}

const QRegularExpression &setTermStatement()
{
    static const QRegularExpression re(QStringLiteral("^SET\\s+TERM\\s+(\\S+)$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression &transactionStatement()
{
    static const QRegularExpression re(QStringLiteral("^(COMMIT|ROLLBACK)(\\s+WORK)?(\\s+(RETAIN|RETAINING))?$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

} // namespace

QStringList SplitScript(const QString &script)
{
    QStringList statements;
    QString terminator = QStringLiteral(";");
    qsizetype start = 0;
    qsizetype i = 0;
    const qsizetype n = script.size();

    auto take = [&](qsizetype end) {
        const QString piece = script.mid(start, end - start).trimmed();
        if (!isBlank(piece)) {
            const QRegularExpressionMatch setTerm = setTermStatement().match(piece);
            if (setTerm.hasMatch())
                terminator = setTerm.captured(1);
            else
                statements.append(piece);
        }
    };

    while (i < n) {
        const qsizetype skipped = FbQuery::skipLiteralOrComment(script, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        if (QStringView(script).mid(i).startsWith(terminator)) {
            take(i);
            i += terminator.size();
            start = i;
            continue;
        }
        ++i;
    }
    take(n);
    return statements;
}

QList<FbScriptFailure> RunScript(FbConnection &connection, const QString &script,
                                 const std::function<void(const FbScriptFailure &)> &onFailure)
{
    if (!connection.isConnected())
        throw FbError(QStringLiteral("The database connection is not open."));
    if (!connection.inTransaction())
        throw FbError(QStringLiteral("No transaction is active on this database connection."));

    QList<FbScriptFailure> failures;
    auto fail = [&](const QString &statement, const QString &message) {
        const FbScriptFailure failure{statement, message};
        failures.append(failure);
        if (onFailure)
            onFailure(failure);
    };

    for (const QString &statement : SplitScript(script)) {
        try {
            const QRegularExpressionMatch control = transactionStatement().match(statement);
            if (control.hasMatch()) {
                if (control.captured(1).compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0)
                    connection.commitRetaining();
                else
                    connection.rollbackRetaining();
                continue;
            }

            FbQuery query(connection);
            query.setParamCheck(false);
            query.setSql(statement);
            query.prepare();
            if (!query.isDdl()) {
                query.exec();
                continue;
            }
            // Make earlier work durable first, so undoing a definition that fails at commit
            // takes nothing else with it.
            connection.commitRetaining();
            query.exec();
            try {
                connection.commitRetaining();
            } catch (const FbError &) {
                try {
                    connection.rollbackRetaining();
                } catch (const FbError &) {
                }
                throw;
            }
        } catch (const FbError &error) {
            fail(statement, error.message());
        }
    }
    return failures;
}
