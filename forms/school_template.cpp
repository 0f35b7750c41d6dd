#include "school_template.h"

#include "form_registry.h"
#include "prompter.h"
#include "school_template_model.h"
#include "storage/clock.h"
#include "storage/error_stream.h"
#include "storage/paths.h"
#include "storage/school_template.h"
#include "storage/settings_store.h"

namespace {

const QString kTable = QString::fromLatin1(kSchoolTemplateTable);

void showError(QWidget* parent, const QString& lead, const ErrorStream& err) {
    prompter().message(parent, lead + err.text(), QStringLiteral("Błąd"), PromptIcon::Error,
                       PromptButtons::Ok);
}

}  // namespace

bool bFunReadSchoolTemplate(QWidget* parent, FormModel& schoolTemplate) {
    schoolTemplate.vFunClearData();
    ErrorStream err;
    RecordList records;
    const QString path = strFunGetTemplateFilePath(err);
    if (path.isEmpty() || !bFunSqlTemplateReadData(err, path, kTable, records)) {
        showError(parent, QStringLiteral("Błąd podczas odczytu danych.\n\n"), err);
        return false;
    }
    // Matched by field name alone: the id of the rows is not compared.
    for (const FieldRecord& record : records) schoolTemplate.setText(record.compName, record.value);
    return true;
}

void vFunShowSchoolTemplate(QWidget* parent, FormModel& schoolTemplate) {
    const int currentYear = program_clock::today().year();
    bFunReadSchoolTemplate(parent, schoolTemplate);
    vFunDefaultSchoolYears(schoolTemplate, currentYear);
    // A failed write only means the edit command asks once more.
    ErrorStream err;
    bFunSqlSettingWriteValue(err, QStringLiteral("create_school_data_template"), 0);
}

bool bFunSaveSchoolTemplate(QWidget* parent, const FormModel& schoolTemplate) {
    RecordList records;
    for (int i = 0; i < schoolTemplate.componentCount(); ++i) {
        const Component& field = schoolTemplate.component(i);
        if (!field.name.contains(QLatin1String("_DATA_EDIT"))) continue;
        records.append(FieldRecord::make(schoolTemplate.documentId(), field.name, field.text));
    }
    ErrorStream err;
    const QString path = strFunGetTemplateFilePath(err);
    if (path.isEmpty() || !bFunSqlTemplateWriteData(err, path, kTable, records)) {
        showError(parent, QStringLiteral("Błąd podczas próby zapisania danych do pliku.\n\n"), err);
        return false;
    }
    return true;
}

void vFunFillDocumentFromTemplate(QWidget* parent, FormRegistry& forms, FormModel& document) {
    FormModel& schoolTemplate = forms.schoolTemplate();
    if (!bFunReadSchoolTemplate(parent, schoolTemplate)) return;
    vFunCopyTemplateToDocument(schoolTemplate, document);
}
