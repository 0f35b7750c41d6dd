#include "pupil_listing.h"

#include <cerrno>

#include "app/pupil_order.h"
#include "console.h"

bool bFunPrintPupilListing(const StudentList& pupils) {
    QString listing;
    for (const StudentListEntry& pupil : sortedForTree(pupils))
        listing += pupil.displayName + QLatin1Char('\t') + pupil.tableName + QLatin1Char('\n');
    if (bFunWriteConsole(stdout, listing)) return true;
    const int writeError = errno;
    bFunWriteConsole(stderr, QStringLiteral("Nie można wypisać listy uczniów: ") +
                                 strFunConsoleErrorReason(writeError) + QLatin1Char('\n'));
    return false;
}
