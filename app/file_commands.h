#pragma once

#include <QString>

#include <functional>

class TFGlowna;

// The class file (".smrk") is never edited in place: opening copies it over the working
// database, every pupil save goes to the working database, and saving copies that back.

// Opens the class file `path` into the working database, empties the forms, shows its pupils
// (warning about pupils that cannot be read) and makes it the current file. A file that is no
// readable class file is refused with the reason, and the class open before stays exactly as it
// was; when the working database cannot be replaced after that check, the window is left in the
// state of a new file.
bool bFunWczytajPlikSwiadectw(TFGlowna& window, QString path);
// The working database replaced by a checked copy of the class file `path`: a file that is no
// readable class file is refused with its reason, `function` logged and `notLoaded` ("Dane ...
// nie zostały wczytane") said, and nothing changes. `beforeReplace`, when given, runs once the
// file proved readable; false from it stops with nothing changed. A failure after that leaves the
// state of a new file. The caller then shows the class with vFunShowWorkingDatabase.
bool bFunReplaceWorkingDatabase(TFGlowna& window, const QString& path, const QString& function,
                                const QString& notLoaded,
                                const std::function<bool()>& beforeReplace = {});
// Shows the pupils of a working database that was just replaced: empty forms and preview,
// `currentFile` as the current file ("" for none), and a warning naming `source` when it holds
// pupils that cannot be read.
void vFunShowWorkingDatabase(TFGlowna& window, const QString& source, const QString& currentFile);
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
