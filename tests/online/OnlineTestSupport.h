#pragma once

// Shared by the tests of the online folder: the fixture web server with our pages, definitions
// that point at it, and a language file whose text n reads "T<n>" (with a "%s" where the program
// fills one in), so that tests can tell which numbered text the program used whatever the shipped
// wording is.

#include "FixtureServer.h"
#include "core/GlobalFunctions.h"
#include "core/LanguageTexts.h"
#include "online/DefinitionsCipher.h"
#include "online/IMDBConstantsUnit.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSettings>
#include <QtTest>

#include <memory>

inline QString SourceFolder()
{
    return qEnvironmentVariable("REELNEST_SOURCE_DIR");
}

inline QString FixtureRoot()
{
    return SourceFolder() + QStringLiteral("/tests/online/data");
}

inline std::unique_ptr<FixtureServer> StartFixtureServer()
{
    auto server = std::make_unique<FixtureServer>(FixtureRoot());
    if (!server->start())
        qFatal("the fixture server could not listen on 127.0.0.1");
    return server;
}

// The plain lines of the shipped definitions, without notes and blank lines.
inline QStringList ShippedPlainDefinitions()
{
    QFile file(SourceFolder() + QStringLiteral("/data-src/definitions.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the plain definitions source cannot be read");
    QStringList lines;
    for (QString line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    }
    return lines;
}

// The shipped definitions turned towards server, with values replaced ("KEY=" to value) and keys
// left out (value of nullptr QString), enciphered into file.
inline QStringList FixtureDefinitions(const FixtureServer &server, const QMap<QString, QString> &changes = {})
{
    QStringList lines = FixtureDefinitionLines(ShippedPlainDefinitions(), server.baseUrl());
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        for (qsizetype i = lines.size() - 1; i >= 0; --i) {
            if (lines.at(i).startsWith(it.key()))
                lines.removeAt(i);
        }
        if (!it.value().isNull())
            lines << it.key() + it.value();
    }
    return lines;
}

inline void WriteEnciphered(const QString &path, const QStringList &plainLines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    for (const QString &line : plainLines)
        file.write(EncryptStr(line).toLatin1() + "\r\n");
}

// Makes the fixture definitions the program's working copy and loads them.
inline void InstallFixtureDefinitions(const FixtureServer &server, const QMap<QString, QString> &changes = {})
{
    QDir().mkpath(GetTempFolder());
    WriteEnciphered(DefinitionsWorkingCopyPath(), FixtureDefinitions(server, changes));
    QString error;
    if (!LoadDefinitions(&error))
        qFatal("%s", qPrintable(error));
}

inline void LoadNumberedLanguageTexts()
{
    const QString path = TestHome() + QStringLiteral("/numbered.dat");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the test language file");
    file.write("Numbered|tests\n");
    const QList<int> withArgument{1856};
    for (int n = 1; n <= 2000; ++n)
        file.write(QStringLiteral("%1 T%2%3\n")
                       .arg(n, 4, 10, QLatin1Char('0'))
                       .arg(n)
                       .arg(withArgument.contains(n) ? QStringLiteral(" %s") : QString())
                       .toUtf8());
    file.close();
    if (!LanguageTexts::instance().load(path))
        qFatal("cannot load the test language file");
}

// Removes every setting, so each test starts from the defaults.
inline void ClearSettings()
{
    QSettings(QStringLiteral("Virelon"), QStringLiteral("Reelnest")).clear();
}
