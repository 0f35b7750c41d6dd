#pragma once

#include <QString>

// The program's start: one copy per user, every window created once, the main window
// initialised, a file named on the command line opened, then the event loop until the main
// window closes. Returns the process exit code.
int iFunRunProgram(int& argc, char** argv);

// Tells the user about an error nothing else caught; returns the exit code to end with.
int iFunReportEscapedError(const QString& message);
