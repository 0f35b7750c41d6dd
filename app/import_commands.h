#pragma once

class TFGlowna;

// The two commands that fill the working database from another program's file. Both first put
// the working database as it was into the backup folder, so pupils that were in no class file
// yet can still be recovered; neither changes the unsaved-changes state.

// "Importuj": the pupils of an old text class file (".srk") replace the working database. The
// current file is forgotten, so a save asks where the imported class goes instead of writing it
// over the class that was open.
void runSrkImportCommand(TFGlowna& window);

// "Importuj dane uczniów z SP 1-3": the grades 1-3 program's file (".lumk", a class file of the
// same layout) becomes the working database.
void runGrades13ImportCommand(TFGlowna& window);
