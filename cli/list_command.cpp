#include "list_command.h"

#include <cerrno>

#include "app/pupil_order.h"
#include "class_input.h"
#include "console.h"

QStringList ListCommand::description() const {
    return {QStringLiteral(
                "Wypisuje uczniów pliku świadectw w kolejności drzewa, po jednym w wierszu:"),
            QStringLiteral("nazwisko i imię, tabulator, nazwa tabeli ucznia.")};
}

int ListCommand::run(const CommandLine& line) {
    ClassInput input;
    const QString problem = input.open(line.files.first());
    if (!problem.isEmpty()) {
        bFunWriteConsole(stderr, problem + QLatin1Char('\n'));
        return kExitFailure;
    }

    QString listing;
    for (const StudentListEntry& pupil : sortedForTree(input.pupils()))
        listing += pupil.displayName + QLatin1Char('\t') + pupil.tableName + QLatin1Char('\n');
    const bool listed = bFunWriteConsole(stdout, listing);
    const int writeError = errno;

    int status = kExitSuccess;
    if (!input.unreadable().isEmpty()) {
        bFunWriteConsole(stderr, input.unreadableReport());
        status = kExitFailure;
    }
    if (!listed) {
        bFunWriteConsole(stderr, QStringLiteral("Nie można wypisać listy uczniów: ") +
                                     strFunConsoleErrorReason(writeError) + QLatin1Char('\n'));
        status = kExitFailure;
    }
    return status;
}
