// The legacy text import, on arbitrary bytes: the input becomes a .srk file imported into a fresh
// class database. An import that reports success must leave a class file whose pupils, every one
// it says it imported, read back whole: anything else is a failure reported as success. And no
// pupil is imported without a PESEL: its table would be "PESEL" alone, and a second such pupil
// would stop the import.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "exchange/srk_import.h"
#include "fuzz_scratch.h"
#include "storage/error_stream.h"
#include "storage/pupil_store.h"

namespace {

[[noreturn]] void fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "semrik fuzz: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

void checkImported(const QString& target, const SrkImportReport& report) {
    if (report.imported.isEmpty()) return;
    ErrorStream err;
    ClassFileReader reader;
    StudentList listed;
    UnreadablePupilList unreadable;
    if (!reader.open(err, target, 0) || !reader.studentsList(err, listed, &unreadable))
        fail("the imported class file cannot be read", err.text());
    if (!unreadable.isEmpty()) fail("an imported pupil cannot be read", unreadable.first().tableName);
    for (const StudentListEntry& pupil : report.imported) {
        if (pupil.tableName.mid(5).trimmed().isEmpty())
            fail("a pupil without PESEL was imported", pupil.tableName);
        bool found = false;
        for (const StudentListEntry& entry : listed) found = found || entry.tableName == pupil.tableName;
        if (!found) fail("an imported pupil is not in the class file", pupil.tableName);
        RecordList records;
        if (!reader.loadCertData(err, pupil.tableName, records))
            fail("an imported pupil cannot be loaded", pupil.tableName);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzScratch& scratch = FuzzScratch::instance();
    const QString source = scratch.path("stary.srk");
    const QString target = scratch.path("nowy.smrk");
    if (scratch.write(source, data, size)) {
        ErrorStream err;
        SrkImportReport report;
        if (bFunImportSrkInto(err, source, target, nullptr, &report)) checkImported(target, report);
        strFunImportReportText(report);
    }
    scratch.clear();
    return 0;
}
