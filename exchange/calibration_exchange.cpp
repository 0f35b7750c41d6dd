#include "calibration_exchange.h"

#include "calibration_file_check.h"
#include "storage/error_log.h"
#include "storage/file_problem.h"
#include "storage/paths.h"
#include "storage/safe_replace.h"
#include "storage/system_error.h"

namespace {

CalibrationTransfer copyFailed(ErrorStream& err, const char* fun, const QString& source,
                               const QString& target) {
    const int code = lastSystemErrorCode();
    err.clear();
    err << "Funkcja: " << fun << "\n\n"
        << "Błąd podczas próby kopiowania pliku\nz\n"
        << source << "\ndo\n"
        << target << "\nKod błędu: " << code << "\n\nDane nie zostały zapisane.";
    vFunWriteLog(err, QString::fromLatin1(fun), kLogError);
    return CalibrationTransfer::CopyFailed;
}

CalibrationTransfer copy(ErrorStream& err, const char* fun, const QString& source,
                         const QString& target) {
    // Replacing a file by itself would gain nothing and risk the only copy.
    if (bFunSameFile(source, target)) return CalibrationTransfer::Done;
    if (bFunReplaceFileSafely(source, target)) return CalibrationTransfer::Done;
    return copyFailed(err, fun, source, target);
}

}  // namespace

CalibrationTransfer exportCalibration(ErrorStream& err, QString target) {
    const QString working = strFunGetCalibFilePath(err, false);
    if (working.isEmpty()) return CalibrationTransfer::CopyFailed;  // its message is in `err`
    return copy(err, kExportCalibrationFun, working, target);
}

CalibrationTransfer importCalibration(ErrorStream& err, QString source) {
    const QString working = strFunGetCalibFilePath(err, false);
    if (working.isEmpty()) return CalibrationTransfer::CopyFailed;
    if (bFunSameFile(source, working)) return CalibrationTransfer::Done;

    const QString problem = strFunCalibrationFileProblem(source, requiredCalibrationTables());
    if (!problem.isEmpty()) {
        err.clear();
        err << "Nie można wczytać pliku kalibracji:\n"
            << source << "\n\n"
            << problem << ".\n\nUstawienia kalibracji nie zostały zmienione.";
        vFunWriteLog(err, QString::fromLatin1(kImportCalibrationFun), kLogError);
        return CalibrationTransfer::Refused;
    }
    return copy(err, kImportCalibrationFun, source, working);
}
