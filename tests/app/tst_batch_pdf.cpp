#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QPicture>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "render/calibration.h"
#include "render/margins.h"
#include "render/page_picture.h"
#include "storage/install_check.h"
#include "storage/paths.h"
#include "storage/pupil_store.h"
#include "support/file_contents.h"
#include "support/headless_process.h"
#include "support/test_environment.h"

namespace {

const QString kFixture = QStringLiteral("klasa_cp1250.smrk");
const QString kJazmina = QStringLiteral("03311204561");  // Gęślą Jaźmina, first in the tree
const QString kLukasz = QStringLiteral("02270803628");   // Żółć Łukasz

using Run = HeadlessRun;

// The built program as the user runs it: no display, and a platform that would need one.
Run runSemrik(const QStringList& arguments) {
    return runHeadless(QStringLiteral(SEMRIK_EXECUTABLE), arguments);
}

int pdfPageCount(const QString& path) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    return int(QString::fromLatin1(readFile(path)).count(page));
}

bool havePdfToText() {
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

struct Word {
    QString text;
    QRectF box;  // millimetres from the sheet's top-left corner
};
using PageWords = QList<QList<Word>>;

// The words of every page with their boxes, as `pdftotext -bbox` finds them in the PDF.
PageWords pdfWords(const QString& path) {
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", path, "-"});
    if (!pdftotext.waitForFinished(60000)) return {};
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression token(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const qreal mm = 25.4 / 72;
    PageWords pages;
    for (const QRegularExpressionMatch& m : token.globalMatch(html)) {
        if (m.captured(0).startsWith("<page")) {
            pages.append(QList<Word>());
            continue;
        }
        if (pages.isEmpty()) continue;
        const QRectF box(QPointF(m.captured(1).toDouble() * mm, m.captured(2).toDouble() * mm),
                         QPointF(m.captured(3).toDouble() * mm, m.captured(4).toDouble() * mm));
        pages.last().append({m.captured(5), box});
    }
    return pages;
}

// The box around the first run of words that spells `text`; an empty box when none does.
QRectF boxOfText(const QList<Word>& words, const QString& text) {
    const QStringList wanted = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int start = 0; start + wanted.size() <= words.size(); ++start) {
        QRectF box;
        int i = 0;
        while (i < wanted.size() && words.at(start + i).text == wanted.at(i)) {
            box = box.isNull() ? words.at(start + i).box : box.united(words.at(start + i).box);
            ++i;
        }
        if (i == wanted.size()) return box;
    }
    return {};
}

MarginPreset firstPreset() {
    ErrorStream err;
    MarginPresetList presets;
    if (!bFunMarginReadData(err, strFunGetSettingsFilePath(err, false), presets))
        qWarning("%s", qPrintable(err.text()));
    return presets.value(0);
}

// A first preset unlike the standard one, with different rectangles for the two pages: a page
// placed by the wrong preset or the other page's rectangle lands millimetres away.
void makeFirstPreset(const MarginPreset& preset) {
    ErrorStream err;
    const QString path = strFunGetSettingsFilePath(err, false);
    MarginPresetList shipped;
    QVERIFY2(bFunMarginReadData(err, path, shipped), qPrintable(err.text()));
    for (const MarginPreset& old : shipped)
        QVERIFY2(bFunMarginDeleteSettings(err, path, old.name), qPrintable(err.text()));
    for (const MarginPreset& row : MarginPresetList{preset} + shipped)
        QVERIFY2(bFunMarginWriteNewSettings(err, path, row), qPrintable(err.text()));
}

}  // namespace

class BatchPdfTest : public QObject {
    Q_OBJECT

private slots:
    void writesTheChosenPages_data() {
        QTest::addColumn<QStringList>("choice");
        QTest::addColumn<int>("pages");

        QTest::newRow("one certificate of one pupil")
            << QStringList{"--document", "0", "--pupil", kJazmina} << 2;
        QTest::newRow("caption and number, two pupils")
            << QStringList{"--document", "MEN-I/3a/2 świad. klasa V", "--pupil", kLukasz,
                           "--document", "5", "--pupil", kJazmina}
            << 8;
        QTest::newRow("a document outside the tree, by number")
            << QStringList{"--pupil", kLukasz, "--document", "10"} << 2;
    }

    void writesTheChosenPages() {
        QFETCH(QStringList, choice);
        QFETCH(int, pages);
        TestEnvironment env;
        const QString classFile = env.fixture(kFixture);
        const QByteArray before = readFile(classFile);
        const QString pdf = env.dataHome() + "/wydruk.pdf";

        const Run run = runSemrik(QStringList{"--pdf", pdf} + choice + QStringList{classFile});

        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(pdfPageCount(pdf), pages);
        // Only read: the user's file and the working database stay untouched.
        QCOMPARE(readFile(classFile), before);
        ErrorStream err;
        QVERIFY(!QFile::exists(strFunGetTmpFilePath(err)));
    }

    // Every pupil's tree documents: 6 two-page certificates and 5 one-page documents each. A
    // document whose calibration has no rows cannot be placed: it is named on stderr, left out
    // of the PDF, and the run fails; everything else is printed.
    void defaultsPrintEveryPupilsTreeDocuments() {
        TestEnvironment env;
        const QString classFile = env.fixture(kFixture);
        const QString pdf = env.dataHome() + "/wydruk.pdf";

        const Run run = runSemrik({"--pdf", pdf, classFile});

        ErrorStream err;
        QStringList uncalibrated;
        int pages = 0;
        for (const DocumentType* type : treeDocumentTypes()) {
            CalibrationList entries;
            bFunCalibLoadData(err, strFunGetCalibFilePath(err, false), type->key,
                              entries);
            if (entries.isEmpty())
                uncalibrated << QString::number(type->number);
            else
                pages += 2 * type->pages;
        }
        // Each document that cannot be drawn is named once, however many pupils there are.
        static const QRegularExpression leftOut("Nie wydrukowano dokumentu nr (\\d+) ");
        QStringList reported;
        for (const QRegularExpressionMatch& m : leftOut.globalMatch(run.err))
            reported << m.captured(1);
        QCOMPARE(reported, uncalibrated);
        QCOMPARE(run.exitCode, uncalibrated.isEmpty() ? 0 : 1);
        QCOMPARE(pdfPageCount(pdf), pages);
    }

    void pupilsComeInTreeOrder() {
        if (!havePdfToText()) QSKIP("pdftotext (poppler-utils) is not installed");
        TestEnvironment env;
        const QString pdf = env.dataHome() + "/wydruk.pdf";
        const Run run = runSemrik({"--pdf", pdf, "--document", "0", env.fixture(kFixture)});
        QCOMPARE(run.exitCode, 0);

        // The file stores Żółć first; the tree sorts Ż as Z.
        const PageWords pages = pdfWords(pdf);
        QCOMPARE(pages.size(), 4);
        QVERIFY(!boxOfText(pages.at(0), "Jaźmina Gęślą").isNull());
        QVERIFY(!boxOfText(pages.at(2), "Łukasz Żółć").isNull());
    }

    void refusesWithAMessage_data() {
        QTest::addColumn<QStringList>("arguments");  // %1 the class file, %2 the PDF
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");  // %1 and %2 as above; "" for the usage

        QTest::newRow("unknown PESEL")
            << QStringList{"--pdf", "%2", "--pupil", kJazmina, "--pupil", "99999999999", "%1"} << 1
            << "Nie ma ucznia o numerze PESEL: 99999999999\n";
        QTest::newRow("the calibration key is no caption")
            << QStringList{"--pdf", "%2", "--document", "wywiadowka", "%1"} << 1
            << "Nieznany dokument: wywiadowka\n";
        QTest::newRow("caption with a trailing blank")
            << QStringList{"--pdf", "%2", "--document", "wywiadówka ", "%1"} << 1
            << "Nieznany dokument: wywiadówka \n";
        QTest::newRow("number beyond the catalogue")
            << QStringList{"--pdf", "%2", "--document", "21", "%1"} << 1
            << "Nieznany dokument: 21\n";
        QTest::newRow("missing class file") << QStringList{"--pdf", "%2", "%1/brak.smrk"} << 1
                                            << "Plik nie istnieje: %1/brak.smrk\n";
        QTest::newRow("damaged class file")
            << QStringList{"--pdf", "%2", "%1.txt"} << 1
            << "Plik nie jest prawidłowym plikiem świadectw: %1.txt\n";
        QTest::newRow("unwritable output") << QStringList{"--pdf", "%2.d/wydruk.pdf", "%1"} << 1
                                           << "Nie można zapisać pliku: %2.d/wydruk.pdf\n"
                                              "Katalog, w którym miałby leżeć plik, nie istnieje.\n";
        QTest::newRow("no class file") << QStringList{"--pdf", "%2"} << 2 << "";
        QTest::newRow("two class files") << QStringList{"--pdf", "%2", "%1", "%1"} << 2 << "";
        QTest::newRow("switch without its value")
            << QStringList{"--pdf", "%2", "%1", "--pupil"} << 2 << "";
        QTest::newRow("unknown switch")
            << QStringList{"--pdf", "%2", "--strony", "2", "%1"} << 2 << "";
    }

    void refusesWithAMessage() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, error);
        TestEnvironment env;
        const QString classFile = env.fixture(kFixture);
        QFile damaged(classFile + ".txt");
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("To nie jest baza danych.\n");
        damaged.close();
        // An earlier PDF stays as it was when a run fails.
        const QString pdf = env.dataHome() + "/wydruk.pdf";
        QFile earlier(pdf);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("poprzedni wydruk");
        earlier.close();
        const auto place = [&](QString text) {
            return text.replace("%2", pdf).replace("%1", classFile);
        };
        QStringList placed;
        for (const QString& argument : arguments) placed << place(argument);

        const Run run = runSemrik(placed);

        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, QString());
        if (error.isEmpty()) {
            QVERIFY2(run.err.startsWith("Użycie:") && run.err.contains("--pdf"),
                     qPrintable(run.err));
        } else {
            QCOMPARE(run.err, place(error));
        }
        QCOMPARE(readFile(pdf), QByteArray("poprzedni wydruk"));
        QVERIFY(!QFile::exists(pdf + ".d"));
    }

    void helpAndUnknownOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("onStderr");

        QTest::newRow("--help") << QStringList{"--help"} << 0 << false;
        QTest::newRow("-h, which once started the window") << QStringList{"-h"} << 0 << false;
        QTest::newRow("unknown option") << QStringList{"--drukuj", "klasa.smrk"} << 2 << true;
    }

    void helpAndUnknownOptions() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(bool, onStderr);
        TestEnvironment env;

        const Run run = runSemrik(arguments);

        QCOMPARE(run.exitCode, exitCode);
        const QString usage = onStderr ? run.err : run.out;
        QCOMPARE(onStderr ? run.out : run.err, QString());
        QVERIFY2(usage.startsWith("Użycie:"), qPrintable(usage));
        for (const char* described : {"--list PLIK.smrk", "--pdf WYNIK.pdf", "--document",
                                      "--pupil PESEL", "MEN-I/3a/2 świad. klasa IV"})
            QVERIFY2(usage.contains(QString::fromUtf8(described)), described);
    }

    // The words of a printed certificate sit where the calibration puts them on the page and
    // the first margin preset puts the page on the sheet.
    void wordsSitWhereCalibrationAndPresetPutThem_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("page");

        QTest::newRow("left-aligned form code") << "STALY_MEN_STR1_DATA_LABEL" << 1;
        QTest::newRow("centred pupil name") << "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT" << 1;
        QTest::newRow("right-aligned label") << "STALY_Uczeszczal_STR1_DATA_LABEL" << 1;
        QTest::newRow("centred title of page 2") << "STALY_WynKlasyfikacji_STR2_DATA_LABEL" << 2;
    }

    void wordsSitWhereCalibrationAndPresetPutThem() {
        QFETCH(QString, field);
        QFETCH(int, page);
        if (!havePdfToText()) QSKIP("pdftotext (poppler-utils) is not installed");
        TestEnvironment env;
        ErrorStream err;
        QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
        MarginPreset preset;
        preset.name = "Test";
        preset.Page1X1 = 12, preset.Page1Y1 = 7, preset.Page1X2 = 196, preset.Page1Y2 = 290;
        preset.Page2X1 = 3, preset.Page2Y1 = 2, preset.Page2X2 = 207, preset.Page2Y2 = 295;
        makeFirstPreset(preset);
        const MarginPreset first = firstPreset();
        QCOMPARE(first.name, QStringLiteral("Test"));

        const QString classFile = env.fixture(kFixture);
        const QString pdf = env.dataHome() + "/swiadectwo.pdf";
        const Run run =
            runSemrik({"--pdf", pdf, "--document", "0", "--pupil", kJazmina, classFile});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);

        // What the field prints: the certificate's form filled with the pupil, as the program
        // fills it.
        RecordList records;
        QVERIFY2(bFunLoadCertData(err, classFile, "PESEL" + kJazmina, records),
                 qPrintable(err.text()));
        FormRegistry forms;
        forms.applyAll(records);
        const QString text = forms.forModel("TFKlasa4a")->text(field);
        QVERIFY2(!text.isEmpty(), qPrintable(field));

        CalibrationList entries;
        QVERIFY2(bFunCalibLoadData(err, strFunGetCalibFilePath(err, false), "klasa_4a", entries),
                 qPrintable(err.text()));
        const auto entry = std::find_if(entries.cbegin(), entries.cend(),
                                        [&](const CalibrationEntry& e) { return e.name == field; });
        QVERIFY(entry != entries.cend());

        // Text sits on y2: its cell's top is y2 - cell height - font_size / 4 on the page.
        QFont font(entry->font_name);
        font.setPixelSize(iFunPointsToUnits(entry->font_size));
        font.setBold(entry->font_style_bold != 0);
        font.setItalic(entry->font_style_italic != 0);
        QPicture reference;
        const int cellHeight = QFontMetrics(font, &reference).height();
        const qreal top = entry->y2 - cellHeight - entry->font_size / 4;

        const bool second = page == 2;
        const qreal x1 = second ? first.Page2X1 : first.Page1X1;
        const qreal x2 = second ? first.Page2X2 : first.Page1X2;
        const qreal y1 = second ? first.Page2Y1 : first.Page1Y1;
        const qreal y2 = second ? first.Page2Y2 : first.Page1Y2;
        const auto mmX = [&](qreal unit) { return x1 + unit * (x2 - x1) / kPageWidth; };
        const auto mmY = [&](qreal unit) { return y1 + unit * (y2 - y1) / kPageHeight; };

        const PageWords pages = pdfWords(pdf);
        QCOMPARE(pages.size(), 2);
        const QRectF box = boxOfText(pages.at(page - 1), text);
        QVERIFY2(!box.isNull(), qPrintable(text));

        qreal expectedX = 0;
        qreal foundX = 0;
        switch (entry->font_align) {
            case 0:
                expectedX = mmX(entry->x1), foundX = box.left();
                break;
            case 2:
                expectedX = mmX(entry->x2), foundX = box.right();
                break;
            default:
                expectedX = mmX((entry->x1 + entry->x2) / 2.0), foundX = box.center().x();
                break;
        }
        const qreal tolerance = 0.5;
        QVERIFY2(qAbs(foundX - expectedX) <= tolerance,
                 qPrintable(QString("x %1 mm, expected %2 mm").arg(foundX).arg(expectedX)));
        QVERIFY2(qAbs(box.top() - mmY(top)) <= tolerance,
                 qPrintable(QString("top %1 mm, expected %2 mm").arg(box.top()).arg(mmY(top))));
    }
};

QTEST_MAIN(BatchPdfTest)
#include "tst_batch_pdf.moc"
