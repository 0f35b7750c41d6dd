// build_sqset OUT.sqset IN.sql...
//
// Builds one shipped database from UTF-8 SQL scripts. The scripts run through the program's own
// database layer, so their text lands in the file as Windows-1250 exactly as the program would
// write it. The database is built under OUT.tmp in one transaction and renamed over OUT only
// when every script succeeded: a failed build never leaves a half database for the next step.

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include "storage/cp1250.h"
#include "storage/database.h"

namespace {

void fail(const QString& subject, const QString& message) {
    std::fprintf(stderr, "build_sqset: %s: %s\n", qPrintable(subject), qPrintable(message));
}

// The script's text, or a null string after reporting why it cannot be used.
QString readScript(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(path, file.errorString());
        return QString();
    }
    QStringDecoder decoder(QStringConverter::Utf8);  // drops a leading byte-order mark
    QString text = decoder.decode(file.readAll());
    if (decoder.hasError()) {
        fail(path, QStringLiteral("not valid UTF-8"));
        return QString();
    }
    // The layer would turn such a character into '?' without a word; refuse it here instead.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!cp1250::canEncode(text.at(i))) {
            const qsizetype line = text.left(i).count(QLatin1Char('\n')) + 1;
            fail(path, QStringLiteral("line %1: character U+%2 has no Windows-1250 code")
                           .arg(line)
                           .arg(uint(text.at(i).unicode()), 4, 16, QLatin1Char('0')));
            return QString();
        }
    }
    if (text.isNull()) text = QLatin1String("");  // an empty script is fine
    return text;
}

void removeLeftovers(const QString& tmpPath) {
    QFile::remove(tmpPath);
    QFile::remove(tmpPath + QStringLiteral("-journal"));
}

bool build(const QString& outPath, const QStringList& scripts) {
    const QString tmpPath = outPath + QStringLiteral(".tmp");
    // A crashed earlier run may have left a partial file; building on top of it would fail or,
    // worse, duplicate rows.
    removeLeftovers(tmpPath);

    QString current = tmpPath;
    try {
        CppSQLite3DB db;
        db.open(tmpPath);
        db.execute(QStringLiteral("begin"));
        for (const QString& script : scripts) {
            current = script;
            const QString text = readScript(script);
            if (text.isNull()) {
                db.close();
                removeLeftovers(tmpPath);
                return false;
            }
            db.execute(text);
        }
        current = tmpPath;
        db.execute(QStringLiteral("commit"));
        db.close();
    } catch (const CppSQLite3Exception& e) {
        fail(current, QString::fromUtf8(e.errorMessage()));
        removeLeftovers(tmpPath);
        return false;
    }

    // filesystem::rename replaces an existing target in one step on every platform.
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(tmpPath).toStdString(),
                            QFile::encodeName(outPath).toStdString(), error);
    if (error) {
        fail(outPath, QString::fromStdString(error.message()));
        removeLeftovers(tmpPath);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: build_sqset OUT.sqset IN.sql...\n");
        return 1;
    }
    QStringList scripts;
    for (int i = 2; i < argc; ++i) scripts << QFile::decodeName(argv[i]);
    return build(QFile::decodeName(argv[1]), scripts) ? 0 : 1;
}
