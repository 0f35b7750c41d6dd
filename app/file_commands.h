#pragma once

#include <QString>

class TFGlowna;

// The class file (".smrk") is never edited in place: opening copies it over the working
// database, every pupil save goes to the working database, and saving copies that back.

// Opens the class file `path` into the working database, empties the forms, shows its pupils
// (warning about pupils that cannot be read) and makes it the current file. A file that is no
// readable class file is refused with the reason, and the class open before stays exactly as it
// was; when the working database cannot be replaced after that check, the window is left in the
// state of a new file.
bool bFunWczytajPlikSwiadectw(TFGlowna& window, QString path);
// Copies the working database over the current file.
bool bFunZapiszIstniejacyPlikSwiadectw(TFGlowna& window);
// Asks for a file name and copies the working database there; on success that file becomes the
// current file.
bool bFunZapiszNowyPlikSwiadectw(TFGlowna& window);
// The state of a new, empty file: no pupils, no current file, no working database, empty forms.
void vFunClearAll(TFGlowna& window);

// The commands behind the "Plik" menu and the tool bar.
void runNewFileCommand(TFGlowna& window);
void runOpenFileCommand(TFGlowna& window);
bool runSaveCommand(TFGlowna& window);
void runSaveAsCommand(TFGlowna& window);
