#include "list_command.h"

#include "class_input.h"
#include "console.h"
#include "pupil_listing.h"

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

    int status = bFunPrintPupilListing(input.pupils()) ? kExitSuccess : kExitFailure;
    if (!input.unreadable().isEmpty()) {
        bFunWriteConsole(stderr, input.unreadableReport());
        status = kExitFailure;
    }
    return status;
}
