// The definitions tool: enciphers a plain definitions file ("KEY=value" lines; blank lines and
// lines starting with "#" are notes and left out) into the line format the program reads, and
// deciphers such a file back into plain lines.

#include "online/DefinitionsCipher.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>

namespace {

int usage()
{
    QTextStream(stderr) << "usage: mdd-tool encipher PLAIN-FILE OUTPUT-FILE\n"
                           "       mdd-tool decipher ENCIPHERED-FILE OUTPUT-FILE\n"
                           "OUTPUT-FILE \"-\" writes to standard output.\n";
    return 2;
}

bool readLines(const QString &path, QStringList *lines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "mdd-tool: cannot read " << path << ": " << file.errorString() << '\n';
        return false;
    }
    *lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (QString &line : *lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return true;
}

bool writeLines(const QString &path, const QStringList &lines, const char *lineEnd)
{
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdout, QIODevice::WriteOnly)
                                                   : (file.setFileName(path), file.open(QIODevice::WriteOnly));
    if (!opened) {
        QTextStream(stderr) << "mdd-tool: cannot write " << path << ": " << file.errorString() << '\n';
        return false;
    }
    for (const QString &line : lines) {
        file.write(line.toUtf8());
        file.write(lineEnd);
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 3)
        return usage();
    QStringList in;
    if (!readLines(args.at(1), &in))
        return 1;
    QStringList out;
    if (args.at(0) == QLatin1String("encipher")) {
        for (const QString &line : in) {
            if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            out << EncryptStr(line);
        }
        return writeLines(args.at(2), out, "\r\n") ? 0 : 1;
    }
    if (args.at(0) == QLatin1String("decipher")) {
        for (const QString &line : in) {
            if (!line.trimmed().isEmpty())
                out << DecryptStr(line);
        }
        return writeLines(args.at(2), out, "\n") ? 0 : 1;
    }
    return usage();
}
