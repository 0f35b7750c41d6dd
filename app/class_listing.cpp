#include "class_listing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <cstring>

#include "class_file.h"
#include "console_prompter.h"
#include "pupil_order.h"

namespace {

const char* const kListOption = "--list";

constexpr int kExitListed = 0;
constexpr int kExitNoClassFile = 1;
constexpr int kExitUsage = 2;

int fail(int code, const QString& message) {
    vFunWriteConsole(stderr, message + QLatin1Char('\n'));
    return code;
}

int listClass(const QStringList& arguments) {
    if (arguments.size() != 3) {
        return fail(kExitUsage, QStringLiteral("Użycie: semrik --list PLIK.smrk"));
    }
    const QString path = arguments.at(2);
    if (!QFileInfo(path).isFile()) {
        return fail(kExitNoClassFile, QStringLiteral("Plik nie istnieje: ") + path);
    }
    StudentList students;
    if (!bFunReadClassFile(path, students))
        return fail(kExitNoClassFile, strFunNotAClassFileMessage(path));

    QString listing;
    for (const StudentListEntry& pupil : sortedForTree(students)) {
        listing += pupil.displayName + QLatin1Char('\t') + pupil.tableName + QLatin1Char('\n');
    }
    vFunWriteConsole(stdout, listing);
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
