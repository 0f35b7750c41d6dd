#include "calibration_exchange_commands.h"

#include "calibration_exchange.h"
#include "forms/prompter.h"

namespace {

const QString kCalibrationFilter = QStringLiteral("Kalibracja(*.sqset)|*.sqset");

void showOutcome(QWidget* parent, const ErrorStream& err, CalibrationTransfer outcome) {
    switch (outcome) {
        case CalibrationTransfer::Done:
            return;
        case CalibrationTransfer::CopyFailed:
            prompter().message(parent, err.text(), QStringLiteral("Atrybuty"), PromptIcon::Warning,
                               PromptButtons::Ok);
            return;
        case CalibrationTransfer::Refused:
            prompter().message(parent, err.text(), QStringLiteral("Błąd"), PromptIcon::Error,
                               PromptButtons::Ok);
            return;
    }
}

}  // namespace

// The requests are the commands' own rather than the main window's shared ones: those carry the
// class file's extension, which a calibration must not get, nor leave behind for the class file.
void runCalibrationExportCommand(QWidget* parent, ErrorStream& err) {
    FileDialogRequest request;
    request.title = QStringLiteral("Zapisz plik kalibracji");
    request.filter = kCalibrationFilter;
    request.defaultExtension = QStringLiteral("sqset");
    request.fileName = QStringLiteral("semrik_kalibracja");
    const QString target = prompter().saveFileName(parent, request);
    if (target.isEmpty()) return;
    showOutcome(parent, err, exportCalibration(err, target));
}

bool runCalibrationImportCommand(QWidget* parent, ErrorStream& err) {
    FileDialogRequest request;
    request.title = QStringLiteral("Wczytaj plik kalibracji");
    request.filter = kCalibrationFilter;
    const QString source = prompter().openFileName(parent, request);
    if (source.isEmpty()) return false;
    const CalibrationTransfer outcome = importCalibration(err, source);
    showOutcome(parent, err, outcome);
    return outcome == CalibrationTransfer::Done;
}
