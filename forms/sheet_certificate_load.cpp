#include "sheet_certificate_load.h"

#include "form_registry.h"
#include "grade_sheet_family.h"
#include "prompter.h"
#include "sheet_export.h"

bool WczytajDaneZSwiadectwa(QWidget* parent, FormRegistry& forms, FormModel& sheet,
                            int certificateIndex, int columnIndex) {
    const GradeSheetMember* member = gradeSheetMember(sheet.windowName());
    if (!member || member->titlePage()) return false;
    const bool twoColumns = member->columns == 2;
    const bool certificateChosen =
        certificateIndex >= 0 && certificateIndex < member->certificateChoices.size();
    const bool columnChosen = !twoColumns || (columnIndex >= 0 && columnIndex < 2);
    if (!certificateChosen || !columnChosen) {
        const char* text = twoColumns
                               ? "Aby wczytać dane proszę wybrać typ świadectwa oraz\nkolumnę "
                                 "arkusza gdzie dane mają zostać wczytane."
                               : "Aby wczytać dane proszę wybrać typ świadectwa.";
        prompter().message(parent, QString::fromUtf8(text), QStringLiteral("Brak Wyboru"),
                           PromptIcon::Warning, PromptButtons::Ok);
        return false;
    }
    const FormModel* certificate =
        forms.forModel(member->certificateChoices.at(certificateIndex).sourceWindowName);
    if (!certificate) return false;
    vFunExportToSheet(*certificate, sheet, twoColumns ? columnIndex + 1 : 1);
    return true;
}
