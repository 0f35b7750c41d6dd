#include "test_sheet_command.h"

#include <cerrno>
#include <memory>

#include "console.h"
#include "first_margin_preset.h"
#include "output_file.h"
#include "pdf_completeness.h"
#include "render/margins.h"
#include "render/print_output.h"
#include "render/test_sheet.h"
#include "storage/error_stream.h"
#include "storage/file_problem.h"

namespace {

int fail(const QString& message) {
    bFunWriteConsole(stderr, message + QLatin1Char('\n'));
    return kExitFailure;
}

}  // namespace

QStringList TestSheetCommand::description() const {
    return {
        QStringLiteral("Zapisuje do pliku PDF arkusz testowy ustawień wydruku: dwie strony"),
        QStringLiteral("z krzyżykami i podziałką milimetrową, opisanymi odległością od lewej"),
        QStringLiteral("i górnej krawędzi kartki A4. Położenie i opisy wyznaczają pierwsze"),
        QStringLiteral("ustawienia wydruku, jak w --pdf. Wydruk arkusza na zwykłym papierze"),
        QStringLiteral("i pomiar linijką pokazują, o ile poprawić X1, Y1, X2 i Y2."),
    };
}

int TestSheetCommand::run(const CommandLine& line) {
    OutputFile output;
    QString error = output.check(line.files.at(0), {});
    if (!error.isEmpty()) return fail(error);

    MarginPreset preset;
    error = strFunReadFirstMarginPreset(preset);
    if (!error.isEmpty()) return fail(error);

    PrintRequest request;
    request.page1 = {preset.Page1X1, preset.Page1Y1, preset.Page1X2, preset.Page1Y2};
    request.page2 = {preset.Page2X1, preset.Page2Y1, preset.Page2X2, preset.Page2Y2};
    request.pages = testSheetPages(request.page1, request.page2);
    request.pageCount = 2;
    // Both sides in one job, side 2 upright, as --pdf writes a certificate.
    request.duplex = DuplexMode::LongEdge;
    request.duplexEnabled = true;

    error = output.create();
    if (!error.isEmpty()) return fail(error);
    {
        ErrorStream err;
        const std::unique_ptr<PrintSink> sink = makePdfSink(output.temporaryPath());
        if (!printDocument(*sink, request, {}, err)) {
            if (bFunDiskFull(output.temporaryPath()))
                return fail(strFunCannotWriteMessage(output.targetPath(),
                                                     strFunSystemErrorReason(ENOSPC)));
            return fail(QStringLiteral("Błąd zapisu pliku PDF.\n\n") + err.text());
        }
    }  // the PDF is complete once its sink is gone
    const QString incomplete = strFunIncompletePdfReason(output.temporaryPath());
    if (!incomplete.isEmpty())
        return fail(strFunCannotWriteMessage(output.targetPath(), incomplete));
    error = output.commit();
    if (!error.isEmpty()) return fail(error);
    return kExitSuccess;
}
