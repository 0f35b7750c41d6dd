#pragma once

#include "command.h"

// The entry of the command-line modes, before anything of the windowed program starts.

// True when the first argument is a switch ("--..." or "-h"): a file to open never starts
// with "--", so such a line is for a command (or a mistake), not for the window.
bool isCommandLineMode(int argc, char** argv);

// Finds the command named by argv[1], parses the rest of the line for it and runs it. Returns
// the exit status; a failed write to stdout turns success into failure.
int iFunRunCommandLine(int& argc, char** argv);

// Reads argv[2..] for `command`: its switches with their values anywhere, its files in order.
// False when the line does not fit the command.
bool bFunParseCommandLine(const Command& command, int argc, char** argv, CommandLine& line);

// Every command, in the order the help text lists them.
const QList<Command*>& commands();
