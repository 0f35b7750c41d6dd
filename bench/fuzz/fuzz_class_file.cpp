// Opening a class file, on arbitrary bytes: the check the "Otwórz" command makes before the file
// replaces anything, then what the window reads from the checked copy (the pupil list and every
// pupil), and the command-line modes' read-only reading of the file where it lies.

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>

#include "app/class_file_check.h"
#include "cli/class_input.h"
#include "fuzz_scratch.h"
#include "storage/error_stream.h"
#include "storage/pupil_store.h"

namespace {

// What the window reads once the checked copy has become the working database.
void readAsTheWindowDoes(const QString& workingCopy) {
    ErrorStream err;
    StudentList pupils;
    UnreadablePupilList unreadable;
    if (!bFunGetStudentsList(err, workingCopy, pupils, &unreadable)) return;
    for (const StudentListEntry& pupil : pupils) {
        RecordList records;
        bFunLoadCertData(err, workingCopy, pupil.tableName, records);
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
