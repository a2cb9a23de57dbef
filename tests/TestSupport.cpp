#include "TestSupport.h"

#include "database/FbQuery.h"

#include <QDir>
#include <QUuid>

namespace {
QTemporaryDir &home()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/reelnest-test-XXXXXX"));
    return dir;
}

MessageAnswer firstChoice(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    case MessageButtons::AbortRetry:
        return MessageAnswer::Abort;
    default:
        return MessageAnswer::Ok;
    }
}
} // namespace

void PrepareTestEnvironment()
{
    const QString root = home().path();
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = root + QLatin1Char('/') + QString::fromLatin1(name).toLower();
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv(name, folder.toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString TestHome()
{
    return home().path();
}

QString TestDatabasePath(const QString &stem)
{
    return home().path() + QLatin1Char('/') + stem + QLatin1Char('-') +
           QUuid::createUuid().toString(QUuid::Id128).left(8) + QStringLiteral(".fdb");
}

RecordingUserInterface::RecordingUserInterface()
{
    setUserInterface(this);
}

RecordingUserInterface::~RecordingUserInterface()
{
    setUserInterface(nullptr);
}

MessageAnswer RecordingUserInterface::showMessage(MessageKind kind, const QString &text, MessageButtons buttons)
{
    messages.append({kind, text, buttons});
    return answers.isEmpty() ? firstChoice(buttons) : answers.takeFirst();
}

void RecordingUserInterface::showApplicationError(const QString &message)
{
    messages.append({MessageKind::Error, message, MessageButtons::Ok});
}

bool RecordingUserInterface::runFirstStartDialog()
{
    ++firstStartDialogs;
    return onFirstStartDialog ? onFirstStartDialog() : false;
}

QStringList SelectColumn(FbConnection &db, const QString &select)
{
    QStringList values;
    FbQuery query(db);
    query.setSql(select);
    query.open();
    while (query.next())
        values << query.value(0).toString();
    return values;
}

QVariantMap SelectRow(FbConnection &db, const QString &select)
{
    FbQuery query(db);
    query.setSql(select);
    query.open();
    QVariantMap values;
    if (query.next()) {
        for (const QString &column : query.columnNames())
            values.insert(column, query.value(column));
    }
    query.close();
    return values;
}
