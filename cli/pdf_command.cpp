#include "pdf_command.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "app/pupil_order.h"
#include "class_input.h"
#include "console.h"
#include "console_prompter.h"
#include "first_margin_preset.h"
#include "forms/document_types.h"
#include "forms/form_registry.h"
#include "output_file.h"
#include "pdf_completeness.h"
#include "render/margins.h"
#include "render/page_renderer.h"
#include "render/print_output.h"
#include "storage/error_stream.h"
#include "storage/file_problem.h"
#include "storage/paths.h"
#include "storage/settings_store.h"

namespace {

const QString kDocumentOption = QStringLiteral("--document");
const QString kPupilOption = QStringLiteral("--pupil");

int fail(const QString& message) {
    bFunWriteConsole(stderr, message + QLatin1Char('\n'));
    return kExitFailure;
}

// A number 0 to 20, or a caption compared exactly as the tree's dispatch compares it.
const DocumentType* documentNamed(const QString& text) {
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber && number >= 0 && number < documentTypes().size())
        return &documentTypes().at(number);
    return documentTypeForCaption(text);
}

QString chooseDocuments(const QStringList& texts, QList<const DocumentType*>& documents) {
    if (texts.isEmpty()) {
        documents = treeDocumentTypes();
        return QString();
    }
    for (const QString& text : texts) {
        const DocumentType* type = documentNamed(text);
        if (!type) return QStringLiteral("Nieznany dokument: ") + text;
        documents << type;
    }
    return QString();
}

bool isUnreadable(const ClassInput& input, const QString& table) {
    const UnreadablePupilList& list = input.unreadable();
    return std::any_of(list.cbegin(), list.cend(),
                       [&table](const UnreadablePupil& pupil) { return pupil.tableName == table; });
}

// A pupil whose table cannot be read has been reported already and is left out here.
QString choosePupils(const ClassInput& input, const QStringList& pesels, StudentList& pupils) {
    if (pesels.isEmpty()) {
        pupils = sortedForTree(input.pupils());
        return QString();
    }
    for (const QString& pesel : pesels) {
        const QString table = QStringLiteral("PESEL") + pesel;
        const auto found =
            std::find_if(input.pupils().cbegin(), input.pupils().cend(),
                         [&table](const StudentListEntry& s) { return s.tableName == table; });
        if (found != input.pupils().cend()) {
            pupils << *found;
        } else if (!isUnreadable(input, table)) {
            return QStringLiteral("Nie ma ucznia o numerze PESEL: ") + pesel;
        }
    }
    return QString();
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

QString preparePrintSetup(PrintSetup& setup) {
    MarginPreset first;
    const QString problem = strFunReadFirstMarginPreset(first);
    if (!problem.isEmpty()) return problem;
    ErrorStream err;
    setup.page1 = {first.Page1X1, first.Page1Y1, first.Page1X2, first.Page1Y2};
    setup.page2 = {first.Page2X1, first.Page2Y1, first.Page2X2, first.Page2Y2};
    setup.switches = switchesFromSettings();
    setup.calibrationPath = strFunGetCalibFilePath(err, false);
    setup.dataDir = strFunGetMainDirPath(err);
    return QString();
}

// One run's printing: every pupil's documents into the sink. What cannot be drawn is reported
// and left out; only a failure of the PDF itself stops the run.
class PdfPrint {
public:
    PdfPrint(ClassInput& input, const PrintSetup& setup, const ConsolePrompter& console)
        : m_input(input), m_setup(setup), m_console(console) {}

    // False when the PDF could not be written; the message is in `error`.
    bool print(PrintSink& sink, const StudentList& pupils,
               const QList<const DocumentType*>& documents, QString& error) {
        FormRegistry forms;
        for (const StudentListEntry& pupil : pupils) {
            ErrorStream err;
            RecordList records;
            if (!m_input.reader().loadCertData(err, pupil.tableName, records)) {
                const QString code = m_input.reader().failureCode();
                leftOut(strFunUnreadablePupilMessage(
                    pupil.tableName, code.isEmpty() ? err.text() : code, m_input.path()));
                continue;
            }
            forms.applyPupil(records, pupil.tableName);
            for (const DocumentType* type : documents) {
                if (m_undrawable.contains(type->number)) continue;
                if (!printOne(sink, forms, *type, error)) return false;
            }
        }
        return true;
    }

    int pagesPrinted() const { return m_pages; }
    bool somethingLeftOut() const { return m_leftOut; }

private:
    void leftOut(const QString& message) {
        bFunWriteConsole(stderr, message + QLatin1Char('\n'));
        m_leftOut = true;
    }

    bool printOne(PrintSink& sink, const FormRegistry& forms, const DocumentType& type,
                  QString& error) {
        const int failuresBefore = m_console.failureCount();
        ErrorStream err;
        RenderRequest render;
        render.form = forms.forModel(type.formName);
        render.type = type.number;
        render.print = true;
        render.pages = type.pages;
        render.switches = m_setup.switches;
        render.calibrationPath = m_setup.calibrationPath;
        render.dataDir = m_setup.dataDir;
        const RenderResult result = renderDocumentPages(err, render);
        // A page without its calibration, or with a mark left out, is not printed half-done.
        // The calibration and the marks are the same for every pupil (their texts are kept
        // within the page), so the document is reported once and left out for all of them.
        if (!result.calibrationLoaded() || m_console.failureCount() > failuresBefore) {
            leftOut(QStringLiteral("Nie wydrukowano dokumentu nr %1 „%2” dla żadnego ucznia.")
                        .arg(type.number)
                        .arg(type.caption));
            m_undrawable.insert(type.number);
            return true;
        }

        PrintRequest print;
        print.pages = result.pages;
        print.pageCount = result.pageCount;
        print.page1 = m_setup.page1;
        print.page2 = m_setup.page2;
        // Both sides of a certificate in one job, page 2 upright: the PDF holds the sheet's
        // sides in reading order.
        print.duplex = DuplexMode::LongEdge;
        print.duplexEnabled = true;
        if (!printDocument(sink, print, {}, err)) {
            error = QStringLiteral("Błąd zapisu pliku PDF.\n\n") + err.text();
            return false;
        }
        m_pages += result.pageCount;
        return true;
    }

    ClassInput& m_input;
    const PrintSetup& m_setup;
    const ConsolePrompter& m_console;
    int m_pages = 0;
    bool m_leftOut = false;
    QSet<int> m_undrawable;  // document numbers that could not be drawn
};

}  // namespace

QList<CommandOption> PdfCommand::options() const {
    return {{kDocumentOption, QStringLiteral("NAZWA|NUMER"),
             QStringLiteral("dokument o tej nazwie z drzewa albo o tym numerze")},
            {kPupilOption, QStringLiteral("PESEL"), QStringLiteral("uczeń o tym numerze PESEL")}};
}

QStringList PdfCommand::description() const {
    return {
        QStringLiteral(
            "Drukuje wybrane dokumenty wybranych uczniów do jednego pliku PDF, bez okna"),
        QStringLiteral(
            "programu. Bez --pupil: wszyscy uczniowie w kolejności drzewa; bez --document:"),
        QStringLiteral(
            "jedenaście dokumentów drzewa, w jego kolejności. Oba przełączniki można podać"),
        QStringLiteral(
            "wiele razy. Świadectwo zajmuje dwie strony. Położenie na kartce wyznaczają"),
        QStringLiteral(
            "pierwsze ustawienia wydruku i kalibracja programu; przełączniki \"Wykreskuj"),
        QStringLiteral("puste pola\", \"Wyłącz kropki\" i \"Ogranicz pola tekstowe\" działają jak"),
        QStringLiteral("w programie. Ucznia lub dokumentu, którego nie da się wydrukować, nie ma"),
        QStringLiteral("w pliku PDF: opis mówi, czego brakuje, a kod wyjścia to 1. Plik świadectw"),
        QStringLiteral("jest tylko czytany; WYNIK.pdf nie może być nim ani plikiem specjalnym."),
    };
}

int PdfCommand::run(const CommandLine& line) {
    // Whatever the renderer or the store would show in a window goes to stderr.
    const ConsolePrompter console;

    QList<const DocumentType*> documents;
    QString error = chooseDocuments(line.values.value(kDocumentOption), documents);
    if (!error.isEmpty()) return fail(error);

    ClassInput input;
    error = input.open(line.files.at(1));
    if (!error.isEmpty()) return fail(error);
    OutputFile output;
    error = output.check(line.files.at(0), {input.path()});
    if (!error.isEmpty()) return fail(error);

    if (!input.unreadable().isEmpty()) bFunWriteConsole(stderr, input.unreadableReport());
    StudentList pupils;
    error = choosePupils(input, line.values.value(kPupilOption), pupils);
    if (!error.isEmpty()) return fail(error);
    if (pupils.isEmpty()) return fail(QStringLiteral("Brak uczniów w pliku: ") + input.path());

    PrintSetup setup;
    error = preparePrintSetup(setup);
    if (!error.isEmpty()) return fail(error);

    error = output.create();
    if (!error.isEmpty()) return fail(error);
    PdfPrint print(input, setup, console);
    {
        const std::unique_ptr<PrintSink> sink = makePdfSink(output.temporaryPath());
        if (!print.print(*sink, pupils, documents, error)) {
            if (bFunDiskFull(output.temporaryPath()))
                error = strFunCannotWriteMessage(output.targetPath(),
                                                 strFunSystemErrorReason(ENOSPC));
            return fail(error);
        }
    }  // the PDF is complete once its sink is gone
    if (print.pagesPrinted() == 0) {
        return fail(strFunCannotWriteMessage(output.targetPath(),
                                             QStringLiteral("Nie wydrukowano żadnej strony")));
    }
    const QString incomplete = strFunIncompletePdfReason(output.temporaryPath());
    if (!incomplete.isEmpty())
        return fail(strFunCannotWriteMessage(output.targetPath(), incomplete));
    error = output.commit();
    if (!error.isEmpty()) return fail(error);

    if (print.somethingLeftOut() || !input.unreadable().isEmpty()) {
        return fail(QStringLiteral("Plik ") + output.targetPath() +
                    QStringLiteral(" nie zawiera uczniów ani dokumentów wymienionych wyżej."));
    }
    return kExitSuccess;
}
