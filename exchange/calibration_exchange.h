#pragma once

#include <QString>

#include "storage/error_stream.h"

// Copies of the working calibration ("semrik_kalibracja.sqset" in the program data directory) to
// and from a file of the user's choice, to keep it or to take it to another computer. The file
// written is always replaced through a temporary file beside it, so neither a failed export nor
// a failed import leaves half a file behind.

enum class CalibrationTransfer {
    Done,        // copied, or nothing to copy because both paths name one file
    Refused,     // import only: the chosen file is no calibration; nothing was written
    CopyFailed,  // the copy itself failed; the target is as it was
};

// Function names under which the two commands log their failures.
inline constexpr const char* kExportCalibrationFun = "EksportujPlikKalibracji()";
inline constexpr const char* kImportCalibrationFun = "ImportujPlikKalibracji()";

// Copies the working calibration to `target`, replacing a file there. On failure the message is
// in `err` and logged.
CalibrationTransfer exportCalibration(ErrorStream& err, QString target);

// Replaces the working calibration by the file at `source` once that file proves to be a
// calibration (see calibration_file_check.h). The chosen file is only read. On failure the
// message is in `err` and logged; the working calibration is untouched.
CalibrationTransfer importCalibration(ErrorStream& err, QString source);
