#include "application.h"
#include "class_listing.h"

int main(int argc, char** argv) {
    // The listing runs without a window, a lock file or the program's working files.
    if (isClassListingCommand(argc, argv)) return iFunRunClassListing(argc, argv);
    return iFunRunProgram(argc, argv);
}
