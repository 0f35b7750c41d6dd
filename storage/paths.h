#pragma once

#include <QString>

#include "error_stream.h"

// Program directories and the paths of the program's files. Every call builds its path anew;
// a data directory that vanished while the program runs is re-created by the next request.

inline constexpr const char* kMakerFolderName = "Orvento-Kelm";
inline constexpr const char* kTmpFileName = "data_tmp.sqtmp";
inline constexpr const char* kSettingsFileName = "ustawienia.sqset";
inline constexpr const char* kCalibFileName = "semrik_kalibracja.sqset";
inline constexpr const char* kTemplateFileName = "szablony.sqset";
inline constexpr const char* kLogFileName = "logs.sqdb";
inline constexpr const char* kCatalogueFileName = "pliki_kat.sqset";
inline constexpr const char* kHelpFileName = "Rezizavevo.html";

// The login name with the Polish letters replaced ("Żółw Łoś" gives "zolw Los").
QString strFunTransliterate(QString name);

// The per-user program data directory, created when missing; "" on failure (message in `err`).
QString strFunGetMainDirPath(ErrorStream& err);
bool bFunCreateDirectory(ErrorStream& err, QString path);

// The installation directory: the folder of the running program.
QString strFunGetExeDirPath();
// Tests point the installation directory elsewhere; an empty path restores the default.
void vFunOverrideExeDirPath(const QString& path);

QString strFunGetTmpFilePath(ErrorStream& err);
// `shipped` selects the copy in the installation directory instead of the working copy.
QString strFunGetSettingsFilePath(ErrorStream& err, bool shipped);
QString strFunGetCalibFilePath(ErrorStream& err, bool shipped);
QString strFunGetLogFilePath(ErrorStream& err);
// The school-data template, created empty when missing; "" when it cannot be had (message in
// `err`).
QString strFunGetTemplateFilePath(ErrorStream& err);
// The help file, in the installation directory.
QString strFunGetHelpFilePath();
