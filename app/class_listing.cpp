#include "class_listing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <cstring>

#include "pupil_order.h"
#include "storage/error_stream.h"
#include "storage/pupil_store.h"

namespace {

const char* const kListOption = "--list";

constexpr int kExitListed = 0;
constexpr int kExitNoClassFile = 1;
constexpr int kExitUsage = 2;

void write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int fail(int code, const QString& message) {
    write(stderr, message + QLatin1Char('\n'));
    return code;
}

// A database whose catalogue holds entries, none of them a pupil, is some other program's file.
bool holdsForeignEntriesOnly(const QString& path) {
    ErrorStream err;
    QStringList entries;
    if (!bFunGetTableList(err, path, entries)) return false;
    for (const QString& entry : entries) {
        if (!entry.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) return true;
    }
    return false;
}

int listClass(const QStringList& arguments) {
    if (arguments.size() != 3) {
        return fail(kExitUsage, QStringLiteral("Użycie: semrik --list PLIK.smrk"));
    }
    const QString path = arguments.at(2);
    if (!QFileInfo(path).isFile()) {
        return fail(kExitNoClassFile, QStringLiteral("Plik nie istnieje: ") + path);
    }
    const QString notAClassFile =
        QStringLiteral("Plik nie jest prawidłowym plikiem świadectw: ") + path;
    ErrorStream err;
    StudentList students;
    if (!bFunGetStudentsList(err, path, students)) return fail(kExitNoClassFile, notAClassFile);
    if (students.isEmpty() && holdsForeignEntriesOnly(path))
        return fail(kExitNoClassFile, notAClassFile);

    QString listing;
    for (const StudentListEntry& pupil : sortedForTree(students)) {
        listing += pupil.displayName + QLatin1Char('\t') + pupil.tableName + QLatin1Char('\n');
    }
    write(stdout, listing);
    return kExitListed;
}

}  // namespace

bool isClassListingCommand(int argc, char** argv) {
    return argc >= 2 && std::strcmp(argv[1], kListOption) == 0;
}

int iFunRunClassListing(int& argc, char** argv) {
    const QCoreApplication application(argc, argv);
    return listClass(QCoreApplication::arguments());
}
