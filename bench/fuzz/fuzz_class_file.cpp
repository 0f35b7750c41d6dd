// Opening a class file, on arbitrary bytes: the check the "Otwórz" command makes before the file
// replaces anything, then what the window reads from the checked copy (the pupil list and every
// pupil, each applied to the forms as a click on it does and collected back as a save does), and
// the command-line modes' read-only reading of the file where it lies. A pupil saved and loaded
// again must come back as it was saved: the forms may tidy what a file holds once, not again at
// every save.

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/class_file_check.h"
#include "cli/class_input.h"
#include "forms/form_registry.h"
#include "fuzz_scratch.h"
#include "storage/error_stream.h"
#include "storage/pupil_store.h"

namespace {

// The records as text, to show which differ.
QString describe(const RecordList& records) {
    QString text;
    for (const FieldRecord& record : records)
        text += record.id + QLatin1Char('|') + record.compName + QLatin1Char('|') + record.value +
                QLatin1Char('\n');
    return text;
}

// An empty sex counts as female everywhere, and a load shows it as "kobieta": the one value a
// save and a load may change.
bool sameValue(const FieldRecord& a, const FieldRecord& b) {
    if (a.value == b.value) return true;
    const QString female = QStringLiteral("kobieta");
    return a.compName == QLatin1String("Plec_DATA_COMBOBOX") &&
           (a.value.isEmpty() ? b.value : a.value) == female &&
           (a.value.isEmpty() || b.value.isEmpty());
}

bool sameRecords(const RecordList& a, const RecordList& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i).id != b.at(i).id || a.at(i).compName != b.at(i).compName ||
            !sameValue(a.at(i), b.at(i)))
            return false;
    }
    return true;
}

// A click on the pupil, a save, and a click on the saved pupil.
void openAndSaveTwice(RecordList loaded, const QString& table) {
    static FormRegistry forms;
    RecordList saved;
    forms.applyPupil(loaded, table);
    forms.collectAll(saved);
    forms.clearAll();
    RecordList savedAgain;
    RecordList reloaded = saved;
    forms.applyPupil(reloaded, table);
    forms.collectAll(savedAgain);
    forms.clearAll();
    if (!sameRecords(saved, savedAgain)) {
        std::fprintf(stderr, "semrik fuzz: a saved pupil loads differently\n--- saved\n%s--- saved again\n%s",
                     describe(saved).toUtf8().constData(), describe(savedAgain).toUtf8().constData());
        std::abort();
    }
}

// What the window reads once the checked copy has become the working database.
void readAsTheWindowDoes(const QString& workingCopy) {
    ErrorStream err;
    StudentList pupils;
    UnreadablePupilList unreadable;
    if (!bFunGetStudentsList(err, workingCopy, pupils, &unreadable)) return;
    for (const StudentListEntry& pupil : pupils) {
        RecordList records;
        if (bFunLoadCertData(err, workingCopy, pupil.tableName, records))
            openAndSaveTwice(records, pupil.tableName);
    }
}

// What `semrik --list` and `--pdf` read: the file opened read-only once, every pupil loaded.
void readAsTheCommandLineDoes(const QString& path) {
    ClassInput input;
    if (!input.open(CommandFile{path, QFile::encodeName(path)}).isEmpty()) return;
    input.unreadableReport();
    for (const StudentListEntry& pupil : input.pupils()) {
        ErrorStream err;
        RecordList records;
        input.reader().loadCertData(err, pupil.tableName, records);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzScratch& scratch = FuzzScratch::instance();
    const QString input = scratch.path("klasa.smrk");
    const QString staged = scratch.path("klasa.staged");
    if (scratch.write(input, data, size)) {
        readAsTheCommandLineDoes(input);
        QString reason;
        if (bFunStageClassFile(input, staged, reason)) readAsTheWindowDoes(staged);
    }
    scratch.clear();
    return 0;
}
