#pragma once

// `semrik --list FILE.smrk`: prints the pupils of a class file in tree order, one per line as
// display name, a tab and the table name, in UTF-8. It reads the file itself, changes nothing
// and needs neither a display nor the program's working files, so it runs before anything of
// the windowed program starts.

// True when the command line asks for the listing (its first argument is "--list").
bool isClassListingCommand(int argc, char** argv);

// Runs the listing; returns the exit code: 0 listed, 1 the file is missing or no class file,
// 2 the command line is wrong. Messages go to stderr.
int iFunRunClassListing(int& argc, char** argv);
