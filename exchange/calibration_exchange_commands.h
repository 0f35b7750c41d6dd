#pragma once

class QWidget;
class ErrorStream;

// The "Ustawienia" menu's "Eksportuj ustawienia kalibracji" and "Importuj ustawienia
// kalibracji": the file dialog, the copy, and the message when it fails. Success shows nothing;
// an imported calibration is used from the next time a calibration is read.
void runCalibrationExportCommand(QWidget* parent, ErrorStream& err);
// True when the calibration was replaced, so the caller refreshes what was drawn from it.
bool runCalibrationImportCommand(QWidget* parent, ErrorStream& err);
