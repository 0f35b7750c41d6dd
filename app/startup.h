#pragma once

#include <QString>
#include <QStringList>

class TFGlowna;

// Start-up of the main window: installs the program's files, reads the settings, clears the
// state and removes a working database left by an earlier run. On a failure the user is told,
// the quit flag is set and the window is closed.
void vFunInitMainWindow(TFGlowna& window);

// The command line after the program name, as one text: the arguments joined by single blanks.
QString strFunCommandLineTail(const QStringList& arguments);

// Opens the certificate data file the command line names. A tail of 5 characters or fewer is
// ignored; otherwise the current file path becomes the tail if it names an existing file that
// opens, and "" in every other case.
void vFunOpenCommandLineFile(TFGlowna& window, const QString& tail);
