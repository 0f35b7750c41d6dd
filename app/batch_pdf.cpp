#include "batch_pdf.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstring>
#include <memory>

#include "class_file.h"
#include "command_line_help.h"
#include "console_prompter.h"
#include "forms/document_types.h"
#include "forms/form_registry.h"
#include "pupil_order.h"
#include "render/margins.h"
#include "render/page_renderer.h"
#include "render/print_output.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/paths.h"
#include "storage/pupil_store.h"
#include "storage/safe_replace.h"
#include "storage/settings_store.h"

namespace {

const char* const kPdfOption = "--pdf";

constexpr int kExitWritten = 0;
constexpr int kExitFailed = 1;

struct BatchPdfRequest {
    QString outputPath;
    QStringList documents;  // captions or numbers, as given
    QStringList pesels;
    QString classFile;
};

// "--pdf OUT" first, then the switches with their values and exactly one class file, in any
// order. False when the line is not of that form.
bool parseArguments(const QStringList& arguments, BatchPdfRequest& request) {
    if (arguments.size() < 3 || arguments.at(2).startsWith(QLatin1String("--"))) return false;
    request.outputPath = arguments.at(2);
    QStringList files;
    for (int i = 3; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool takesValue =
            argument == QLatin1String("--document") || argument == QLatin1String("--pupil");
        if (takesValue) {
            if (++i >= arguments.size()) return false;
            (argument == QLatin1String("--document") ? request.documents : request.pesels)
                << arguments.at(i);
        } else if (argument.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            files << argument;
        }
    }
    if (files.size() != 1) return false;
    request.classFile = files.first();
    return true;
}

// Every failure below ends the run with its message in `err`.
bool fail(ErrorStream& err, const QString& message) {
    err.clear();
    err << message;
    return false;
}

// `lead` before the message a storage operation left in `err`.
bool failWithDetail(ErrorStream& err, const QString& lead) {
    return fail(err, lead + err.text());
}

// A number 0 to 20, or a caption compared exactly as the tree's dispatch compares it.
const DocumentType* documentNamed(const QString& text) {
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber && number >= 0 && number < documentTypes().size())
        return &documentTypes().at(number);
    return documentTypeForCaption(text);
}

bool chooseDocuments(ErrorStream& err, const QStringList& texts,
                     QList<const DocumentType*>& documents) {
    if (texts.isEmpty()) {
        documents = treeDocumentTypes();
        return true;
    }
    for (const QString& text : texts) {
        const DocumentType* type = documentNamed(text);
        if (!type) return fail(err, QStringLiteral("Nieznany dokument: ") + text);
        documents << type;
    }
    return true;
}

bool choosePupils(ErrorStream& err, const StudentList& students, const QStringList& pesels,
                  StudentList& pupils) {
    if (pesels.isEmpty()) {
        pupils = sortedForTree(students);
        return true;
    }
    for (const QString& pesel : pesels) {
        const QString table = QStringLiteral("PESEL") + pesel;
        const auto found =
            std::find_if(students.cbegin(), students.cend(),
                         [&table](const StudentListEntry& s) { return s.tableName == table; });
        if (found == students.cend())
            return fail(err, QStringLiteral("Nie ma ucznia o numerze PESEL: ") + pesel);
        pupils << *found;
    }
    return true;
}

// The pupils to print, read from a private copy of the class file: the store opens only that.
bool readPupils(ErrorStream& err, const BatchPdfRequest& request, const QString& classCopy,
                StudentList& pupils) {
    const QString& classFile = request.classFile;
    if (!QFileInfo(classFile).isFile())
        return fail(err, QStringLiteral("Plik nie istnieje: ") + classFile);
    if (!QFile::copy(classFile, classCopy))
        return fail(err, QStringLiteral("Nie można odczytać pliku: ") + classFile);
    StudentList students;
    if (!bFunReadClassFile(classCopy, students))
        return fail(err, strFunNotAClassFileMessage(classFile));
    if (!choosePupils(err, students, request.pesels, pupils)) return false;
    if (pupils.isEmpty()) return fail(err, QStringLiteral("Brak uczniów w pliku: ") + classFile);
    return true;
}

// The three print switches as the main window starts with them; an unreadable one is off.
PrintSwitches switchesFromSettings() {
    ErrorStream err;
    const auto read = [&err](const char* key) {
        int value = 0;
        return bFunSqlGetSettingsValue(err, QString::fromLatin1(key), value) && value != 0;
    };
    PrintSwitches switches;
    switches.strikeEmptyFields = read("strike_empty_fields");
    switches.printWithoutDots = read("print_without_dots");
    switches.clipTextFields = read("word_wrap");
    return switches;
}

// What a print needs besides the pupils and documents, from the program data directory as the
// windowed start leaves it: the switches, the first margin preset (the one the print dialog
// selects when it opens), the calibration and the pictures of the marks.
struct PrintSetup {
    PrintSwitches switches;
    MarginRect page1, page2;
    QString calibrationPath;
    QString dataDir;
};

bool preparePrintSetup(ErrorStream& err, PrintSetup& setup) {
    if (!bFunCheckFilesDir(err)) {
        return failWithDetail(
            err,
            QStringLiteral("Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\n\n"));
    }
    MarginPresetList presets;
    if (!bFunMarginReadData(err, strFunGetSettingsFilePath(err, false), presets))
        return failWithDetail(err,
                              QStringLiteral("Błąd podczas próby uzyskania listy ustawień.\n\n"));
    if (presets.isEmpty()) return fail(err, QStringLiteral("Brak ustawień marginesów wydruku."));
    const MarginPreset& first = presets.first();
    setup.page1 = {first.Page1X1, first.Page1Y1, first.Page1X2, first.Page1Y2};
    setup.page2 = {first.Page2X1, first.Page2Y1, first.Page2X2, first.Page2Y2};
    setup.switches = switchesFromSettings();
    setup.calibrationPath = strFunGetCalibFilePath(err, false);
    setup.dataDir = strFunGetMainDirPath(err);
    return true;
}

// One document of the pupil the forms hold, rendered for the printer and sent as one job.
// A failed rendering has already written its message to the console: `err` is left empty.
bool printOneDocument(ErrorStream& err, PrintSink& sink, const PrintSetup& setup,
                      const FormRegistry& forms, const DocumentType& type,
                      const ConsolePrompter& console) {
    RenderRequest render;
    render.form = forms.forModel(type.formName);
    render.type = type.number;
    render.print = true;
    render.pages = type.pages;
    render.switches = setup.switches;
    render.calibrationPath = setup.calibrationPath;
    render.dataDir = setup.dataDir;
    const RenderResult result = renderDocumentPages(err, render);
    // A page without its calibration, or with a mark left out, is no success either.
    if (!result.calibrationLoaded() || console.failureReported()) {
        err.clear();
        return false;
    }

    PrintRequest print;
    print.pages = result.pages;
    print.pageCount = result.pageCount;
    print.page1 = setup.page1;
    print.page2 = setup.page2;
    // Both sides of a certificate in one job, page 2 upright: the PDF holds the sheet's sides
    // in reading order.
    print.duplex = DuplexMode::LongEdge;
    print.duplexEnabled = true;
    if (!printDocument(sink, print, {}, err))
        return failWithDetail(err, QStringLiteral("Błąd zapisu pliku PDF.\n\n"));
    return true;
}

bool printPupils(ErrorStream& err, PrintSink& sink, const QString& classCopy,
                 const StudentList& pupils, const QList<const DocumentType*>& documents,
                 const PrintSetup& setup, const ConsolePrompter& console) {
    FormRegistry forms;
    for (const StudentListEntry& pupil : pupils) {
        RecordList records;
        if (!bFunLoadCertData(err, classCopy, pupil.tableName, records))
            return failWithDetail(err, QStringLiteral("Błąd podczas próby wczytania danych.\n\n"));
        forms.applyPupil(records, pupil.tableName);
        for (const DocumentType* type : documents) {
            if (!printOneDocument(err, sink, setup, forms, *type, console)) return false;
        }
    }
    return true;
}

bool writePdf(ErrorStream& err, const BatchPdfRequest& request, const ConsolePrompter& console) {
    QList<const DocumentType*> documents;
    if (!chooseDocuments(err, request.documents, documents)) return false;

    const QTemporaryDir work;
    if (!work.isValid())
        return fail(err, QStringLiteral("Nie można utworzyć katalogu tymczasowego."));
    const QString classCopy = work.filePath(QStringLiteral("klasa.smrk"));
    StudentList pupils;
    if (!readPupils(err, request, classCopy, pupils)) return false;

    PrintSetup setup;
    if (!preparePrintSetup(err, setup)) return false;

    // Written beside the class copy first, so a failed run leaves no half-made PDF behind.
    const QString pdfCopy = work.filePath(QStringLiteral("wydruk.pdf"));
    {
        const std::unique_ptr<PrintSink> sink = makePdfSink(pdfCopy);
        if (!printPupils(err, *sink, classCopy, pupils, documents, setup, console)) return false;
    }  // the PDF is complete once its sink is gone
    if (!bFunReplaceFileSafely(pdfCopy, request.outputPath))
        return fail(err, QStringLiteral("Nie można zapisać pliku: ") + request.outputPath);
    return true;
}

int runBatch(const QStringList& arguments) {
    BatchPdfRequest request;
    if (!parseArguments(arguments, request)) return iFunPrintUsage(stderr, kExitUsage);
    // Whatever the renderer or the store would show in a window goes to stderr.
    const ConsolePrompter console;
    ErrorStream err;
    if (writePdf(err, request, console)) return kExitWritten;
    if (!err.isEmpty()) vFunWriteConsole(stderr, err.text() + QLatin1Char('\n'));
    return kExitFailed;
}

}  // namespace

bool isBatchPdfCommand(int argc, char** argv) {
    return argc >= 2 && std::strcmp(argv[1], kPdfOption) == 0;
}

int iFunRunBatchPdf(int& argc, char** argv) {
    // Fonts need a GUI application, but no window is ever shown: the offscreen platform works
    // with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    return runBatch(QCoreApplication::arguments());
}
