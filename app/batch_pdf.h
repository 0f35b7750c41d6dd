#pragma once

// `semrik --pdf OUT.pdf [--document CAPTION|NUMBER]... [--pupil PESEL]... FILE.smrk`: prints the
// chosen documents of the chosen pupils of a class file into one PDF, without a window. The
// pages come from the same renderer, calibration and margin placement as a print: the working
// calibration of the program data directory, the switches of the settings and the first margin
// preset. Defaults: every pupil in tree order, and the documents of the tree in tree order.
//
// The class file is read from a private copy, so neither it nor the program's working database
// is touched; the PDF replaces OUT.pdf only once it is complete.

// True when the command line asks for the batch output (its first argument is "--pdf").
bool isBatchPdfCommand(int argc, char** argv);

// Runs the batch output; returns the exit code: 0 written, 1 failed (a Polish message on
// stderr), 2 the command line is wrong (the usage text on stderr).
int iFunRunBatchPdf(int& argc, char** argv);
