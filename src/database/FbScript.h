#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class FbConnection;

struct FbScriptFailure
{
    QString statement;
    QString message; // the engine's message
};

// Runs a script statement by statement in the connection's transaction (throws FbError when it has
// none). A failing statement is handed to onFailure (may be empty) with the engine's message and
// the next statement runs; the failures are returned in order.
//
// The engine applies data definition only when the transaction commits, so a table created in a
// script could not be filled, indexed or used by a view further down. Every successful DDL
// statement is therefore followed by a commit retaining (as script tools do), which also makes the
// work before it durable; when that commit fails (e.g. a unique index over duplicate rows), the
// statement counts as failed and its definition is undone by a rollback retaining. "COMMIT" and
// "ROLLBACK" statements in the script act as their retaining forms, so the connection keeps its
// one transaction. Statements go to the engine unchanged: ":name" is not a parameter here.
QList<FbScriptFailure> RunScript(FbConnection &connection, const QString &script,
                                 const std::function<void(const FbScriptFailure &)> &onFailure = {});

// The statements of a script: split at ";" outside string literals, quoted identifiers and
// comments ("--", "/* */"), trimmed, without empty or comment-only pieces. "SET TERM <t>"
// (as in isql scripts) changes the separator for the statements that follow and is not returned.
QStringList SplitScript(const QString &script);
