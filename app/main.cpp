#include <cstdio>

#include "application.h"
#include "batch_pdf.h"
#include "class_listing.h"
#include "command_line_help.h"

int main(int argc, char** argv) {
    // The commands run without a window, a lock file or the program's working database.
    if (isHelpCommand(argc, argv)) return iFunPrintUsage(stdout, 0);
    if (isClassListingCommand(argc, argv)) return iFunRunClassListing(argc, argv);
    if (isBatchPdfCommand(argc, argv)) return iFunRunBatchPdf(argc, argv);
    if (isUnknownOption(argc, argv)) return iFunPrintUsage(stderr, kExitUsage);
    return iFunRunProgram(argc, argv);
}
