#pragma once

#include <QString>

#include <cstdio>

// The command-line switches the program knows, and its usage text.

inline constexpr int kExitUsage = 2;  // the command line is wrong

// True when the first argument is "--help".
bool isHelpCommand(int argc, char** argv);

// True when the first argument looks like a switch ("--...") that no command takes. A file to
// open never starts with "--", so such a line is a mistake, not a path.
bool isUnknownOption(int argc, char** argv);

// The Polish usage text: the windowed start, --list, --pdf with the document numbers, --help.
QString strFunUsageText();

// Writes the usage text to `stream` and returns `exitCode`.
int iFunPrintUsage(std::FILE* stream, int exitCode);
