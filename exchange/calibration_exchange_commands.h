#pragma once

class QWidget;
class ErrorStream;

// The "Ustawienia" menu's "Eksportuj ustawienia kalibracji" and "Importuj ustawienia
// kalibracji": the file dialog, the copy, and the message when it fails. Success shows nothing;
// an imported calibration is used from the next time a calibration is read.
void runCalibrationExportCommand(QWidget* parent, ErrorStream& err);
void runCalibrationImportCommand(QWidget* parent, ErrorStream& err);
