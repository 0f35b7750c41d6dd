#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include "forms/shell_open.h"
#include "render/page_picture.h"
#include "render/print_dialog.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/paths.h"
#include "support/recording_print_sink.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

// Found by QCOMPARE next to MarginRect itself.
inline bool operator==(const MarginRect& a, const MarginRect& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

inline char* toString(const MarginRect& m) {
    return QTest::toString(QStringLiteral("%1,%2,%3,%4").arg(m.x1).arg(m.y1).arg(m.x2).arg(m.y2));
}

namespace {

const QString kPdfEntry = QStringLiteral("Zapisz do pliku PDF");
const QStringList kShippedPresets = {"A4 (standardowe)", "A4, marginesy 5 mm", "A4 (cała kartka)"};
const MarginRect kStandard{5, 0, 205, 297};

// Two printers; only "Sekretariat" prints on both sides.
class FakeCatalogue : public PrinterCatalogue {
public:
    explicit FakeCatalogue(QStringList names) : m_names(std::move(names)) {}
    QStringList printerNames() const override { return m_names; }
    QString defaultPrinterName() const override { return QStringLiteral("Sekretariat"); }
    bool canDuplex(const QString& name) const override { return name == "Sekretariat"; }

private:
    QStringList m_names;
};

// The dialog with the shipped presets installed, two printers, and jobs going to a recorder.
struct DialogFixture {
    explicit DialogFixture(QStringList printers = {"Biuro", "Sekretariat"}) {
        ErrorStream err;
        if (!bFunCheckFilesDir(err)) qFatal("install: %s", qPrintable(err.text()));
        dialog.setPrinterCatalogue(std::make_unique<FakeCatalogue>(printers));
        dialog.setSinkFactory([this](const PrintTarget& target) {
            targets << target;
            return std::make_unique<RecordingPrintSink>(record);
        });
        dialog.setDocument({pageWithLine({100, 200, 300, 250}), pageWithLine({100, 400, 300, 450})},
                           2);
        dialog.prepareForShowing();
    }

    template <typename T>
    T* child(const QString& name) {
        T* found = dialog.findChild<T*>(name);
        if (!found) qFatal("no %s", qPrintable(name));
        return found;
    }
    QComboBox* combo(const QString& name) { return child<QComboBox>(name); }
    void click(const QString& name) { child<QAbstractButton>(name)->click(); }
    QStringList items(const QString& name) {
        QStringList out;
        for (int i = 0; i < combo(name)->count(); ++i) out << combo(name)->itemText(i);
        return out;
    }
    QStringList storedPresets() {
        ErrorStream err;
        MarginPresetList list;
        bFunMarginReadData(err, strFunGetSettingsFilePath(err, false), list);
        QStringList names;
        for (const MarginPreset& p : list) names << p.name;
        return names;
    }

    TestEnvironment env;
    ScriptedPrompter prompts;
    TFDrukuj dialog;
    std::shared_ptr<PrintRecord> record = std::make_shared<PrintRecord>();
    QList<PrintTarget> targets;
};

}  // namespace

// The print dialog: printers and duplex controls, the margin arrows and presets, and the print
// flow through the prompt seam into a recording sink.
class TestPrintDialog : public QObject {
    Q_OBJECT

private slots:
    void showingFillsTheLists() {
        DialogFixture f;
        QCOMPARE(f.items("DrukarkiComboBox"), QStringList({"Biuro", "Sekretariat", kPdfEntry}));
        QCOMPARE(f.combo("DrukarkiComboBox")->currentText(), QStringLiteral("Sekretariat"));
        QCOMPARE(f.items("MarginesyComboBox"), kShippedPresets);
        QCOMPARE(f.dialog.pageMargins(1), kStandard);
        QCOMPARE(f.dialog.pageMargins(2), kStandard);
        QVERIFY(f.combo("DuplexComboBox")->isEnabled());

        f.combo("MarginesyComboBox")->setCurrentIndex(1);
        QCOMPARE(f.dialog.pageMargins(1), (MarginRect{5, 5, 205, 292}));

        // A printer that cannot print both sides switches duplex off; the PDF file can.
        f.combo("DuplexComboBox")->setCurrentIndex(1);
        f.child<QCheckBox>("cbRotateSecondPage")->setChecked(true);
        f.combo("DrukarkiComboBox")->setCurrentText("Biuro");
        QCOMPARE(f.combo("DuplexComboBox")->currentText(), QStringLiteral("Wyłączony"));
        QVERIFY(!f.combo("DuplexComboBox")->isEnabled());
        QVERIFY(!f.child<QCheckBox>("cbRotateSecondPage")->isEnabled());
        f.combo("DrukarkiComboBox")->setCurrentText(kPdfEntry);
        QVERIFY(f.combo("DuplexComboBox")->isEnabled());
        QVERIFY(f.child<QCheckBox>("cbRotateSecondPage")->isEnabled());

        // Showing again re-applies the first preset.
        f.dialog.prepareForShowing();
        QCOMPARE(f.dialog.pageMargins(1), kStandard);
        QVERIFY_PROMPTS(f.prompts);
    }

    // The printer chosen once stays selected at the next showings, while it is installed.
    void theChosenPrinterStaysForTheRun_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("printersLater");
        QTest::addColumn<QString>("selectedLater");
        const QStringList same{"Biuro", "Sekretariat"};
        QTest::newRow("a printer") << "Biuro" << same << "Biuro";
        QTest::newRow("the PDF file") << kPdfEntry << same << kPdfEntry;
        QTest::newRow("a printer since removed: the default")
            << "Biuro" << QStringList{"Sekretariat", "Pracownia"} << "Sekretariat";
    }

    void theChosenPrinterStaysForTheRun() {
        QFETCH(QString, chosen);
        QFETCH(QStringList, printersLater);
        QFETCH(QString, selectedLater);
        DialogFixture f;
        f.combo("DrukarkiComboBox")->setCurrentText(chosen);
        f.click("AnulujButton");

        f.dialog.setPrinterCatalogue(std::make_unique<FakeCatalogue>(printersLater));
        for (int showing = 0; showing < 2; ++showing) {
            f.dialog.prepareForShowing();
            QCOMPARE(f.combo("DrukarkiComboBox")->currentText(), selectedLater);
        }
        QVERIFY_PROMPTS(f.prompts);
    }

    void withoutPrintersOnlyThePdfFileIsOffered() {
        DialogFixture f{QStringList()};
        QCOMPARE(f.items("DrukarkiComboBox"), QStringList{kPdfEntry});
        QCOMPARE(f.combo("DrukarkiComboBox")->currentIndex(), 0);
    }

    void marginButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<MarginRect>("page1");
        QTest::addColumn<MarginRect>("page2");
        QTest::addColumn<MarginRect>("page1After");
        QTest::addColumn<MarginRect>("page2After");
        const MarginRect s = kStandard;
        const MarginRect mid{5, 3, 205, 290};
        QTest::newRow("1 up, Y1 at 1")
            << 1 << MarginRect{5, 1, 205, 297} << s << MarginRect{5, 1, 205, 297} << s;
        QTest::newRow("1 up, Y1 at 0") << 1 << s << s << MarginRect{5, -1, 205, 296} << s;
        QTest::newRow("2 left") << 2 << s << s << MarginRect{4, 0, 204, 297} << s;
        QTest::newRow("2 left, X1 at 1")
            << 2 << MarginRect{1, 0, 205, 297} << s << MarginRect{1, 0, 205, 297} << s;
        QTest::newRow("2 left, X2 at 1")
            << 2 << MarginRect{5, 0, 1, 297} << s << MarginRect{4, 0, 1, 297} << s;
        QTest::newRow("3 down") << 3 << s << s << MarginRect{5, 1, 205, 298} << s;
        QTest::newRow("4 right") << 4 << s << s << MarginRect{6, 0, 206, 297} << s;
        QTest::newRow("5 page 2 up, Y1 at 1")
            << 5 << s << MarginRect{5, 1, 205, 297} << s << MarginRect{5, 1, 205, 297};
        QTest::newRow("6 page 2 left, X2 at 1")
            << 6 << s << MarginRect{5, 0, 1, 297} << s << MarginRect{4, 0, 0, 297};
        QTest::newRow("7 page 2 down") << 7 << s << s << s << MarginRect{5, 1, 205, 298};
        QTest::newRow("8 page 2 right") << 8 << s << s << s << MarginRect{6, 0, 206, 297};
        QTest::newRow("9 wider") << 9 << s << s << MarginRect{4, 0, 206, 297} << s;
        QTest::newRow("9 wider, X1 at 1")
            << 9 << MarginRect{1, 0, 205, 297} << s << MarginRect{1, 0, 205, 297} << s;
        QTest::newRow("10 narrower") << 10 << s << s << MarginRect{6, 0, 204, 297} << s;
        QTest::newRow("10 narrower, X2 at 1")
            << 10 << MarginRect{5, 0, 1, 297} << s << MarginRect{5, 0, 1, 297} << s;
        QTest::newRow("11 taller") << 11 << mid << s << MarginRect{5, 2, 205, 291} << s;
        QTest::newRow("11 taller, Y1 at 1")
            << 11 << MarginRect{5, 1, 205, 290} << s << MarginRect{5, 1, 205, 290} << s;
        QTest::newRow("12 shorter") << 12 << mid << s << MarginRect{5, 4, 205, 289} << s;
        QTest::newRow("12 shorter, Y2 at 1")
            << 12 << MarginRect{5, 3, 205, 1} << s << MarginRect{5, 4, 205, 1} << s;
        QTest::newRow("13 page 2 wider, X1 at 1")
            << 13 << s << MarginRect{1, 0, 205, 297} << s << MarginRect{1, 0, 205, 297};
        QTest::newRow("14 page 2 narrower, X2 at 1")
            << 14 << s << MarginRect{5, 0, 1, 297} << s << MarginRect{6, 0, 0, 297};
        QTest::newRow("16 page 2 taller") << 16 << s << mid << s << MarginRect{5, 2, 205, 291};
        QTest::newRow("15 page 2 shorter, Y2 at 1")
            << 15 << s << MarginRect{5, 3, 205, 1} << s << MarginRect{5, 4, 205, 0};
    }
    void marginButtons() {
        QFETCH(int, button);
        QFETCH(MarginRect, page1);
        QFETCH(MarginRect, page2);
        QFETCH(MarginRect, page1After);
        QFETCH(MarginRect, page2After);
        DialogFixture f;
        f.dialog.setPageMargins(1, page1);
        f.dialog.setPageMargins(2, page2);
        f.click(QStringLiteral("SpeedButton%1").arg(button));
        QCOMPARE(f.dialog.pageMargins(1), page1After);
        QCOMPARE(f.dialog.pageMargins(2), page2After);
        QCOMPARE(f.child<QLineEdit>("Strona1GornyEdit")->text(), QString::number(page1After.y1));
    }

    // A new name is stored with the fields as they stand and the first preset is selected
    // again; the same name a second time is refused. Long names are compared as stored.
    void savingAPreset_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::newRow("new name") << "Moja drukarka"
                                  << "Moja drukarka";
        QTest::newRow("apostrophes") << "Pani O'Brien's"
                                     << "Pani O'Brien's";
        QTest::newRow("300 characters") << QString(300, 'n') << QString(255, 'n');
    }
    void savingAPreset() {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        DialogFixture f;
        f.click("SpeedButton4");  // page 1 one millimetre right
        f.prompts.expectInput("Nazwa", "Proszę podać nazwę ustawień", "nowa nazwa", name);
        f.click("SaveNewButton");
        QCOMPARE(f.items("MarginesyComboBox"), QStringList(kShippedPresets) << stored);
        QCOMPARE(f.combo("MarginesyComboBox")->currentIndex(), 0);
        QCOMPARE(f.dialog.pageMargins(1), kStandard);
        f.combo("MarginesyComboBox")->setCurrentIndex(3);
        QCOMPARE(f.dialog.pageMargins(1), (MarginRect{6, 0, 206, 297}));

        f.prompts.expectInput("Nazwa", "Proszę podać nazwę ustawień", "nowa nazwa", name);
        f.prompts.expectMessage("Ustawienia pod tą nazwą już istnieją", "Duplikat",
                                PromptIcon::Warning, PromptButtons::Ok);
        f.click("SaveNewButton");
        f.prompts.expectInput("Nazwa", "Proszę podać nazwę ustawień", "nowa nazwa", std::nullopt);
        f.click("SaveNewButton");
        QCOMPARE(f.storedPresets(), QStringList(kShippedPresets) << stored);
        QVERIFY_PROMPTS(f.prompts);
    }

    void deletingAndRestoring() {
        DialogFixture f;
        f.combo("MarginesyComboBox")->setCurrentIndex(1);
        const QString question = "Czy na pewno chcesz skasować ustawienia: A4, marginesy 5 mm ?";
        f.prompts.expectMessage(question, "Kasowanie", PromptIcon::Question, PromptButtons::YesNo,
                                PromptAnswer::No);
        f.click("DeleteButton");
        QCOMPARE(f.storedPresets(), kShippedPresets);

        f.prompts.expectMessage(question, "Kasowanie", PromptIcon::Question, PromptButtons::YesNo,
                                PromptAnswer::Yes);
        f.click("DeleteButton");
        const QStringList left = {"A4 (standardowe)", "A4 (cała kartka)"};
        QCOMPARE(f.storedPresets(), left);
        QCOMPARE(f.items("MarginesyComboBox"), left);
        QCOMPARE(f.combo("MarginesyComboBox")->currentIndex(), 0);

        const QString restore = "Czy na pewno chcesz przywrócić oryginalne ustawienia ?";
        f.prompts.expectMessage(restore, "Przywracanie", PromptIcon::Question, PromptButtons::YesNo,
                                PromptAnswer::No);
        f.click("ResetButton");
        QCOMPARE(f.storedPresets(), left);
        f.prompts.expectMessage(restore, "Przywracanie", PromptIcon::Question, PromptButtons::YesNo,
                                PromptAnswer::Yes);
        f.click("ResetButton");
        QCOMPARE(f.items("MarginesyComboBox"), kShippedPresets);
        QVERIFY_PROMPTS(f.prompts);
    }

    void storageFailuresAreShown() {
        DialogFixture f;
        ErrorStream err;
        const QString working = strFunGetSettingsFilePath(err, false);

        // The shown preset went away behind the dialog's back.
        f.combo("MarginesyComboBox")->setCurrentIndex(2);
        QVERIFY(bFunMarginDeleteSettings(err, working, "A4 (cała kartka)"));
        f.prompts.expectMessage("Czy na pewno chcesz skasować ustawienia: A4 (cała kartka) ?",
                                "Kasowanie", PromptIcon::Question, PromptButtons::YesNo,
                                PromptAnswer::Yes);
        f.prompts.expectMessage("Błąd podczas próby kasowania ustawień marginesów.", "Błąd",
                                PromptIcon::Error, PromptButtons::Ok);
        f.click("DeleteButton");
        QCOMPARE(f.items("MarginesyComboBox").size(), 2);  // reloaded all the same

        QVERIFY(QFile::remove(strFunGetSettingsFilePath(err, true)));
        f.prompts.expectMessage("Czy na pewno chcesz przywrócić oryginalne ustawienia ?",
                                "Przywracanie", PromptIcon::Question, PromptButtons::YesNo,
                                PromptAnswer::Yes);
        f.prompts.expectMessageStartingWith(
            "Błąd podczas próby przywrócenia ustawień dmyślnych.\n\nPlik nie istnieje.\n", "Błąd",
            PromptIcon::Error, PromptButtons::Ok);
        f.click("ResetButton");

        // A list that cannot be read leaves the last one in place.
        QVERIFY(QFile::remove(working));
        f.prompts.expectMessageStartingWith(
            "Błąd podczas próby uzyskania listy ustawień.\n\nPlik nie istnieje.\n", "Błąd",
            PromptIcon::Error, PromptButtons::Ok);
        f.dialog.prepareForShowing();
        QCOMPARE(f.items("MarginesyComboBox").size(), 2);
        QVERIFY_PROMPTS(f.prompts);
    }

    void printing_data() {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<int>("duplexItem");
        QTest::addColumn<bool>("rotate");
        QTest::addColumn<QStringList>("jobs");
        QTest::addColumn<bool>("secondTurned");
        QTest::newRow("one page") << "Sekretariat" << 1 << 1 << true << QStringList{"job ORVENTO"}
                                  << false;
        QTest::newRow("duplex, turned")
            << "Sekretariat" << 2 << 1 << true << QStringList{"job ORVENTO"} << true;
        QTest::newRow("duplex") << "Sekretariat" << 2 << 2 << false << QStringList{"job ORVENTO"}
                                << false;
        QTest::newRow("by hand") << "Sekretariat" << 2 << 0 << true
                                 << QStringList{"job ORVENTO 1", "prompt", "job ORVENTO 2"}
                                 << false;
        QTest::newRow("printer without duplex")
            << "Biuro" << 2 << 1 << true << QStringList{"job ORVENTO 1", "prompt", "job ORVENTO 2"}
            << false;
    }
    void printing() {
        QFETCH(QString, printer);
        QFETCH(int, pageCount);
        QFETCH(int, duplexItem);
        QFETCH(bool, rotate);
        QFETCH(QStringList, jobs);
        QFETCH(bool, secondTurned);
        DialogFixture f;
        f.dialog.setDocument(
            {pageWithLine({100, 200, 300, 250}), pageWithLine({100, 400, 300, 450})}, pageCount);
        f.combo("DrukarkiComboBox")->setCurrentText(printer);
        f.combo("DuplexComboBox")->setCurrentIndex(duplexItem);
        f.child<QCheckBox>("cbRotateSecondPage")->setChecked(rotate);
        f.click("SpeedButton8");  // page 2 one millimetre right
        if (jobs.contains("prompt")) {
            f.prompts
                .expectMessage(
                    "Gdy zakończy się drukowanie pierwszej strony obróć kartkę w "
                    "drukarce a następnie naciśnij OK",
                    "Druk", PromptIcon::None, PromptButtons::Ok)
                .whileShown([&f] { f.record->calls << "prompt"; });
        }
        QSignalSpy accepted(&f.dialog, &QDialog::accepted);
        f.click("DrukujButton");

        QCOMPARE(f.record->calls.filter(QRegularExpression("^(job|prompt)")), jobs);
        QCOMPARE(f.record->pages.size(), pageCount);
        QCOMPARE(f.record->margins.value(0), kStandard);
        if (pageCount == 2) {
            QCOMPARE(f.record->margins.value(1), (MarginRect{6, 0, 206, 297}));
            QCOMPARE(firstLineOf(f.record->pages.at(1)).x1() > 700, secondTurned);
        }
        QCOMPARE(f.targets.value(0).printerName, printer);
        QCOMPARE(accepted.count(), 1);
        QVERIFY_PROMPTS(f.prompts);
    }

    void aJobThatCannotStartKeepsTheDialogOpen() {
        DialogFixture f;
        f.record->failJob = 1;
        f.record->errorCode = 5;
        f.prompts.expectMessage("Błąd otwarcia nowego dokumentu StartDoc()\nError code: 5", "Błąd",
                                PromptIcon::Error, PromptButtons::Ok);
        QSignalSpy accepted(&f.dialog, &QDialog::accepted);
        QSignalSpy rejected(&f.dialog, &QDialog::rejected);
        f.click("DrukujButton");
        QCOMPARE(accepted.count() + rejected.count(), 0);

        f.combo("DuplexComboBox")->setCurrentIndex(1);
        f.click("DrukujButton");  // another attempt
        QCOMPARE(accepted.count(), 1);
        QVERIFY_PROMPTS(f.prompts);
    }

    // The set-up choices travel with the printer the jobs go to.
    void printerSetupChoicesReachThePrint() {
        DialogFixture f;
        f.dialog.setDocument({pageWithLine({100, 200, 300, 250}), QPicture()}, 1);
        f.prompts.expectPrinterSetup(false, [](QPrinter& p) { p.setCopyCount(3); });
        f.click("BitBtn1");
        f.prompts.expectPrinterSetup(true, [](QPrinter& p) { p.setCopyCount(2); });
        f.click("BitBtn1");
        f.click("DrukujButton");
        QVERIFY(f.targets.value(0).printer);
        QCOMPARE(f.targets.value(0).printer->copyCount(), 2);
        QVERIFY_PROMPTS(f.prompts);
    }

    // The PDF entry asks for a file; cancelling, or keeping a file already there, prints nothing
    // and keeps the dialog open. A file has no sheet to turn over, so a two-page document goes
    // without the prompt.
    void printingIntoAPdfFile() {
        DialogFixture f;
        f.dialog.setSinkFactory({});
        QTemporaryDir dir;
        const QString path = dir.filePath("swiadectwo.pdf");
        f.combo("DrukarkiComboBox")->setCurrentText(kPdfEntry);
        QSignalSpy accepted(&f.dialog, &QDialog::accepted);

        f.prompts.expectSaveFile(kPdfEntry, "Dokument PDF(*.pdf)|*.pdf", "")
            .withFileDefaults("pdf", "");
        f.click("DrukujButton");
        QCOMPARE(accepted.count(), 0);
        QVERIFY(!QFile::exists(path));

        f.prompts.expectSaveFile(kPdfEntry, "Dokument PDF(*.pdf)|*.pdf", path);
        f.click("DrukujButton");
        QCOMPARE(accepted.count(), 1);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
        pdf.close();

        const QString replace = "Wybrany plik już istnieje.\nCzy chcesz zastąpić istniejący plik ?";
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.write("kept");
        pdf.close();
        f.prompts.expectSaveFile(kPdfEntry, "Dokument PDF(*.pdf)|*.pdf", path);
        f.prompts.expectMessage(replace, "Zapisz", PromptIcon::Question, PromptButtons::YesNo,
                                PromptAnswer::No);
        f.click("DrukujButton");
        QCOMPARE(accepted.count(), 1);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.readAll(), QByteArray("kept"));
        pdf.close();
        f.prompts.expectSaveFile(kPdfEntry, "Dokument PDF(*.pdf)|*.pdf", path);
        f.prompts.expectMessage(replace, "Zapisz", PromptIcon::Question, PromptButtons::YesNo,
                                PromptAnswer::Yes);
        f.click("DrukujButton");
        QCOMPARE(accepted.count(), 2);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
        QVERIFY_PROMPTS(f.prompts);
    }

    void helpOpensTheHelpFile() {
        DialogFixture f;
        QUrl opened;
        vFunSetShellOpenHandler([&opened](const QUrl& url) {
            opened = url;
            return true;
        });
        f.click("PomocButton");
        vFunSetShellOpenHandler({});
        QUrl help = QUrl::fromLocalFile(f.env.installDir() + "/Rezizavevo.html");
        help.setFragment("marginesy");  // the section on the margins and the test sheet
        QCOMPARE(opened, help);
    }
};

QTEST_MAIN(TestPrintDialog)
#include "tst_print_dialog.moc"
