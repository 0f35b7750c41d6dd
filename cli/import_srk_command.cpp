#include "import_srk_command.h"

#include <QFileInfo>

#include "console.h"
#include "exchange/srk_import.h"
#include "output_file.h"
#include "pupil_listing.h"
#include "storage/file_problem.h"

namespace {

const QString kForceFlag = QStringLiteral("--force");

int fail(const QString& message) {
    bFunWriteConsole(stderr, message + QLatin1Char('\n'));
    return kExitFailure;
}

}  // namespace

QList<CommandOption> ImportSrkCommand::options() const {
    return {{kForceFlag, QString(), QStringLiteral("zastępuje istniejący plik WYNIK.smrk")}};
}

QStringList ImportSrkCommand::description() const {
    return {
        QStringLiteral("Przenosi dane klasy z pliku tekstowego dawnej wersji programu (.srk) do"),
        QStringLiteral("nowego pliku świadectw, tak jak polecenie „Importuj”, i wypisuje"),
        QStringLiteral("zaimportowanych uczniów jak --list. Istniejący WYNIK.smrk zostaje"),
        QStringLiteral("zastąpiony tylko z --force. Uczeń bez numeru PESEL jest pomijany, za"),
        QStringLiteral("długie teksty są skracane: plik powstaje z pozostałymi, ale kod wyjścia"),
        QStringLiteral("to 1. Plik bez danych uczniów nie daje pliku świadectw."),
    };
}

int ImportSrkCommand::run(const CommandLine& line) {
    const CommandFile& source = line.files.at(0);
    if (!bFunIsUtf8Name(source.native))
        return fail(strFunNotUtf8NameReason() + QStringLiteral(": ") + source.path);

    OutputFile output;
    QString error = output.check(line.files.at(1), {source.path});
    if (!error.isEmpty()) return fail(error);
    if (QFileInfo::exists(output.targetPath()) && !line.hasFlag(kForceFlag))
        return fail(strFunCannotWriteMessage(
            output.targetPath(),
            QStringLiteral("Plik już istnieje; aby go zastąpić, podaj %1").arg(kForceFlag)));

    error = output.create();
    if (!error.isEmpty()) return fail(error);
    ErrorStream err;
    SrkImportReport report;
    if (!bFunImportSrkInto(err, source.path, output.temporaryPath(), nullptr, &report))
        return fail(err.text());
    // The program's window warns about a file without pupils; here there is nothing to write.
    if (!report.anyPupilBlock)
        return fail(strFunImportReportText(report) + QStringLiteral("\nPlik: ") + source.path);
    error = output.commit();
    if (!error.isEmpty()) return fail(error);

    int status = bFunPrintPupilListing(report.imported) ? kExitSuccess : kExitFailure;
    const QString findings = strFunImportReportText(report);
    if (!findings.isEmpty()) {
        bFunWriteConsole(stderr, findings + QLatin1Char('\n'));
        status = kExitFailure;
    }
    return status;
}
