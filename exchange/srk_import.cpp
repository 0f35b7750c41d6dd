#include "srk_import.h"

#include <QFileInfo>

#include <cstring>

#include "srk_lines.h"
#include "srk_records.h"
#include "storage/cp1250.h"
#include "storage/database.h"
#include "storage/file_ops.h"
#include "storage/file_problem.h"
#include "storage/sql_text.h"
#include "storage/store_failure.h"
#include "storage/system_error.h"

namespace {

const QString kPupilHeader = QStringLiteral("<DANE SWIADECTW DLA:");
const QString kDataStart = QStringLiteral("<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>");
const QString kDataEnd = QStringLiteral("</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>");
const QString kBlocksEnd = QStringLiteral("</KONIEC DANYCH SWIADECTW>");
const QString kPeselName = QStringLiteral("NrPesel_DATA_EDIT");
const QString kPupilDataId = QStringLiteral("DANE UCZNIA");

const char* const kImportFun = "bFunImportDataFromFile";
const char* const kStudentWriteFun = "bFunWriteStudentDataToDB()";
const char* const kCertWriteFun = "bFunSqlImportWriteCertDataToDB()";

// One run over a file: its lines, the database written and where progress and findings go.
struct SrkImport {
    SrkLines& lines;
    QString database;
    ImportProgress* progress;
    SrkImportReport& report;
};

// What the writers need to name a pupil in their messages.
struct SrkPupil {
    QString table;
    QString label;  // "surname first name", or what the header line says
    int headerLine = 0;
};

bool isBlank(const QString& line) {
    return line.trimmed().isEmpty();
}

// A pupil header ends whatever block is still open: a block the old program never closed must
// not swallow the pupils after it.
bool startsNextPupil(SrkImport& run, const QString& line) {
    if (!line.contains(kPupilHeader)) return false;
    run.lines.unread();
    return true;
}

// The pupil-data section, from after the pupil's header line. Consecutive lines of one memo name
// make one value, joined by line feeds.
void readPupilData(SrkImport& run, SrkImportRecords& records) {
    QString line;
    while (run.lines.next(line)) {
        if (line.contains(kDataStart)) break;
        if (startsNextPupil(run, line)) return;
    }
    QString lastMemoName;
    while (run.lines.next(line)) {
        if (line.contains(kDataEnd) || startsNextPupil(run, line)) return;
        QString name, value;
        if (!bFunParseSrkFieldLine(line, name, value)) continue;
        if (SrkMemoNumbering::isMemo(name) && name == lastMemoName) {
            records.last().value += QLatin1Char('\n') + value;
            continue;
        }
        lastMemoName = SrkMemoNumbering::isMemo(name) ? name : QString();
        records << SrkImportRecord{kPupilDataId, name, value, run.lines.lineNumber()};
    }
}

// The document blocks up to the end marker. Blank lines between blocks are skipped; memo lines
// are numbered per run within each block.
void readCertBlocks(SrkImport& run, SrkImportRecords& records) {
    QString header;
    while (run.lines.next(header)) {
        if (header.contains(kBlocksEnd) || startsNextPupil(run, header)) return;
        if (isBlank(header)) continue;
        const QString id = strFunSrkBlockId(header);
        const QString closing = QStringLiteral("</") + id + QLatin1Char('>');
        SrkMemoNumbering memo;
        QString line;
        while (run.lines.next(line)) {
            if (line.contains(closing)) break;
            if (startsNextPupil(run, line)) return;
            QString name, value;
            if (!bFunParseSrkFieldLine(line, name, value)) continue;
            if (SrkMemoNumbering::isMemo(name)) name = memo.numbered(name);
            records << SrkImportRecord{id, name, value, run.lines.lineNumber()};
        }
    }
}

QString firstValueOf(const SrkImportRecords& records, const char* compName) {
    for (const SrkImportRecord& record : records) {
        if (record.compName == QLatin1String(compName)) return record.value;
    }
    return QString();
}

QString pupilLabel(const SrkImportRecords& data, const QString& headerLine) {
    const QString name = firstValueOf(data, "Nazwisko_DATA_EDIT") + QLatin1Char(' ') +
                         firstValueOf(data, "Imie_DATA_EDIT");
    if (!isBlank(name)) return name.trimmed();
    QString named = headerLine.mid(headerLine.indexOf(kPupilHeader) + kPupilHeader.size());
    named = named.remove(QLatin1Char('>')).trimmed();
    return named.isEmpty() ? QStringLiteral("bez nazwiska") : named;
}

void fitRecords(SrkImport& run, SrkImportRecords& records, const QString& label) {
    for (SrkImportRecord& record : records) run.report.shortened << fitSrkRecord(record, label);
}

QString insertStatement(const QString& table, const SrkImportRecord& record) {
    return QStringLiteral("insert into ") + sql::quotedTable(table) +
           QStringLiteral("( id, comp_name, value ) VALUES( '") + sql::escaped(record.id) +
           QStringLiteral("', '") + sql::escaped(record.compName) + QStringLiteral("', '") +
           sql::escaped(record.value) + QStringLiteral("')");
}

// "SQLite exception: \n" and the engine's whole message, which says what went wrong (a table
// that exists already), then the pupil it happened to.
QString sqlFailureText(const CppSQLite3Exception& e, const SrkPupil& pupil) {
    const char* message = e.errorMessage();
    return QStringLiteral("SQLite exception: \n") +
           cp1250::toUnicode(message, qsizetype(std::strlen(message))) +
           QStringLiteral("\nUczeń %1 (tabela %2, wiersz %3 pliku).")
               .arg(pupil.label, pupil.table)
               .arg(pupil.headerLine);
}

void commitQuietly(CppSQLite3DB& db) {
    try {
        db.execute(QStringLiteral("commit transaction;"));
    } catch (const CppSQLite3Exception&) {
        // Already reporting the error that brought us here; closing ends the transaction.
    }
}

void stepProgress(ImportProgress* progress, const QString& text, qsizetype total) {
    if (progress) progress->step(text, int(total));
}

void advanceProgress(ImportProgress* progress) {
    if (progress) progress->advance();
}

// Inserts the records in list order. An insert that changes no row is reported under `fun`
// and stops the rest; the caller decides what becomes of the rows before it.
bool insertRecords(ErrorStream& err, CppSQLite3DB& db, const QString& table,
                   const SrkImportRecords& records, ImportProgress* progress, const char* fun) {
    for (const SrkImportRecord& record : records) {
        const QString statement = insertStatement(table, record);
        if (db.execute(statement) == 0) {
            store::report(err, QStringLiteral("Błąd wpisu do bazy: \n") + statement, fun);
            return false;
        }
        advanceProgress(progress);
    }
    return true;
}

// The pupil's table and its pupil-data rows, in a transaction of their own. On a failure the
// rows written so far are committed.
bool bFunWriteStudentDataToDB(ErrorStream& err, const SrkPupil& pupil,
                              const SrkImportRecords& records, const QString& database,
                              ImportProgress* progress) {
    CppSQLite3DB db;
    bool inTransaction = false;
    try {
        db.open(database);
        db.execute(QStringLiteral("create table ") + sql::quotedTable(pupil.table) +
                   QStringLiteral("( id TEXT, comp_name TEXT, value TEXT );"));
        stepProgress(progress, QStringLiteral("importuje dane ucznia..."), records.size());
        db.execute(QStringLiteral("begin transaction;"));
        inTransaction = true;
        if (!insertRecords(err, db, pupil.table, records, progress, kStudentWriteFun)) {
            commitQuietly(db);
            store::closeQuietly(db);
            return false;
        }
        db.execute(QStringLiteral("commit transaction;"));
        db.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::report(err, sqlFailureText(e, pupil), kStudentWriteFun);
        if (inTransaction) commitQuietly(db);
        store::closeQuietly(db);
        return false;
    }
}

// The pupil's document rows, all or none.
bool bFunSqlImportWriteCertDataToDB(ErrorStream& err, const SrkPupil& pupil,
                                    const SrkImportRecords& records, const QString& database,
                                    ImportProgress* progress) {
    stepProgress(progress, QStringLiteral("importuje świadectwa dla ") + pupil.table,
                 records.size());
    CppSQLite3DB db;
    try {
        db.open(database);
        db.execute(QStringLiteral("begin transaction;"));
        if (!insertRecords(err, db, pupil.table, records, progress, kCertWriteFun)) {
            store::rollbackAndClose(db);
            return false;
        }
        db.execute(QStringLiteral("commit transaction;"));
        db.close();
        return true;
    } catch (const CppSQLite3Exception& e) {
        store::report(err, sqlFailureText(e, pupil), kCertWriteFun);
        store::rollbackAndClose(db);
        return false;
    }
}

bool bFunImportCertBlocks(ErrorStream& err, SrkImport& run, const SrkPupil& pupil) {
    SrkImportRecords records;
    readCertBlocks(run, records);
    fitRecords(run, records, pupil.label);
    return bFunSqlImportWriteCertDataToDB(err, pupil, records, run.database, run.progress);
}

// One pupil block, from just after its header line. A block without a PESEL (no line, or a blank
// one) would name its table "PESEL" alone and clash with any other such pupil: it is read past and
// refused.
bool bFunImportStudentBlock(ErrorStream& err, SrkImport& run, const QString& headerLine) {
    SrkPupil pupil;
    pupil.headerLine = run.lines.lineNumber();
    SrkImportRecords data;
    readPupilData(run, data);
    pupil.label = pupilLabel(data, headerLine);

    fitRecords(run, data, pupil.label);
    bool hasPesel = false;
    for (const SrkImportRecord& record : data) {
        if (!record.compName.contains(kPeselName)) continue;
        pupil.table = QStringLiteral("PESEL") + record.value;
        // A PESEL line with nothing after its ">" names no pupil either.
        hasPesel = !record.value.trimmed().isEmpty();
    }
    if (!hasPesel) {
        SrkImportRecords skipped;
        readCertBlocks(run, skipped);
        run.report.refusedPupils
            << QStringLiteral(
                   "Wiersz %1: uczeń %2 nie ma numeru PESEL (wiersza %3), więc go "
                   "nie zaimportowano.")
                   .arg(pupil.headerLine)
                   .arg(pupil.label, kPeselName);
        return true;
    }

    if (!bFunWriteStudentDataToDB(err, pupil, data, run.database, run.progress)) return false;
    if (!bFunImportCertBlocks(err, run, pupil)) return false;
    run.report.imported << StudentListEntry{firstValueOf(data, "Nazwisko_DATA_EDIT") +
                                                QLatin1Char(' ') +
                                                firstValueOf(data, "Imie_DATA_EDIT"),
                                            pupil.table};
    return true;
}

// The source is read whole before anything else happens, so a source that cannot be read
// leaves the target as it was.
bool loadSource(ErrorStream& err, const QString& source, SrkLines& lines) {
    if (!QFileInfo::exists(source))
        return store::missingFile(err, "Plik źródłowy nie istnieje: \n", source, kImportFun);
    // A directory or a pipe is refused before reading: reading a pipe could wait forever.
    QString problem = strFunReadProblem(source);
    if (problem.isEmpty() && lines.load(source)) return true;
    if (problem.isEmpty()) problem = strFunSystemErrorReason(lastSystemErrorCode());
    store::report(err,
                  QStringLiteral("Nie można odczytać pliku źródłowego: \n") + source +
                      QLatin1Char('\n') + problem + QLatin1Char('.'),
                  kImportFun);
    return false;
}

bool importBlocks(ErrorStream& err, SrkLines& lines, const QString& target,
                  ImportProgress* progress, SrkImportReport* report) {
    SrkImportReport ownReport;
    SrkImport run{lines, target, progress, report ? *report : ownReport};
    run.report = SrkImportReport();
    QString line;
    while (lines.next(line)) {
        if (!line.contains(kPupilHeader)) continue;
        run.report.anyPupilBlock = true;
        if (!bFunImportStudentBlock(err, run, line)) return false;
    }
    return true;
}

}  // namespace

namespace {

// The count, then the lines; beyond `limit` (when not negative) only how many more there are.
QString findingsPart(const QString& heading, const QStringList& lines, int limit) {
    QString part = heading.arg(lines.size()) + QLatin1Char('\n');
    if (limit < 0 || lines.size() <= limit) return part + lines.join(QLatin1Char('\n'));
    return part + lines.mid(0, limit).join(QLatin1Char('\n')) +
           QStringLiteral("\n... i %1 więcej.").arg(lines.size() - limit);
}

}  // namespace

QString strFunImportReportText(const SrkImportReport& report, int linesEach) {
    QStringList parts;
    if (!report.anyPupilBlock)
        parts << QStringLiteral("W pliku nie ma danych żadnego ucznia (wiersza „%1”).")
                     .arg(kPupilHeader);
    if (!report.refusedPupils.isEmpty())
        parts << findingsPart(QStringLiteral("Pominięci uczniowie bez numeru PESEL: %1"),
                              report.refusedPupils, linesEach);
    if (!report.shortened.isEmpty())
        parts << findingsPart(QStringLiteral("Teksty skrócone do szerokości pól: %1"),
                              report.shortened, linesEach);
    return parts.join(QStringLiteral("\n\n"));
}

bool bFunImportDataFromFile(ErrorStream& err, QString source, QString workingDatabase,
                            ImportProgress* progress, SrkImportReport* report) {
    SrkLines lines;
    if (!loadSource(err, source, lines)) return false;
    if (!bFunRemoveDatabaseFile(workingDatabase))
        return store::missingFile(err, "Błąd kasowania pliku: \n", workingDatabase, kImportFun);
    const bool imported = importBlocks(err, lines, workingDatabase, progress, report);
    // Whatever came of the blocks, the class that was there is gone.
    if (report) report->workingDatabaseReplaced = true;
    return imported;
}

bool bFunImportSrkInto(ErrorStream& err, QString source, QString target, ImportProgress* progress,
                       SrkImportReport* report) {
    SrkLines lines;
    if (!loadSource(err, source, lines)) return false;
    return importBlocks(err, lines, target, progress, report);
}
