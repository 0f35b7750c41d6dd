#include "application.h"
#include "cli/command_line.h"

int main(int argc, char** argv) {
    // The commands run without a window, a lock file or the program's working database.
    if (isCommandLineMode(argc, argv)) return iFunRunCommandLine(argc, argv);
    return iFunRunProgram(argc, argv);
}
