#pragma once

#include <QString>
#include <QStringList>

// A calibration file chosen for import replaces the one every print reads, so it is read first,
// where it lies and only for reading: it must be a readable database holding every table the
// program's own calibration holds, each with all the columns a calibration row is read from.

// The columns every calibration table must have, in the order of a calibration row.
const QStringList& calibrationColumns();

// The tables a calibration must hold: those of the copy shipped with the program, or, when that
// copy cannot be read, the tables the document catalogue names.
QStringList requiredCalibrationTables();

// Why the file at `path` cannot serve as the calibration, as a short Polish reason (capitalised,
// no full stop, the engine's code in brackets where one applies); empty when it can.
QString strFunCalibrationFileProblem(const QString& path, const QStringList& requiredTables);
