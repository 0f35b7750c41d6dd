#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "forms/document_ids.h"
#include "forms/document_window.h"
#include "forms/form_registry.h"
#include "forms/memo_edit.h"
#include "forms/school_template.h"
#include "pupil_fixture.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kAchievements = QStringLiteral("ZMIENNA_Szczegolne1_DATA_MEMO");

// What an input widget shows, whatever its kind.
QString shownText(const QWidget* widget) {
    if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    if (auto* box = qobject_cast<const QComboBox*>(widget)) return box->currentText();
    if (auto* memo = qobject_cast<const MemoEdit*>(widget)) return memo->toPlainText();
    return QStringLiteral("<no input widget>");
}

struct ProgramFixture {
    ProgramFixture() {
        installProgramFiles();
        writeSetting("create_school_data_template", 0);
        main = createProgramWindows();
    }

    // The document `caption` of the first pupil, edited: `whileOpen` runs in the modal window,
    // which it has to close.
    DocumentWindow* edit(const QString& caption, const QString& windowName,
                         const std::function<void(DocumentWindow&)>& whileOpen) {
        QTreeWidgetItem* node = documentNode(*main->treeView(), 0, caption);
        if (!node) return nullptr;
        clickNode(*main, node);
        auto* window = main->findChild<DocumentWindow*>(windowName);
        if (!window) return nullptr;
        QTimer::singleShot(0, window, [window, whileOpen] {
            if (window->isVisible() && window->isModal()) whileOpen(*window);
            if (window->isVisible()) window->done(QDialog::Rejected);  // fail, not hang
        });
        main->EdytujSwiadectwoToolButtonClick();
        return window;
    }

    TestEnvironment env;
    ScriptedPrompter prompts;
    std::unique_ptr<TFGlowna> main;
};

}  // namespace

class GradeSheetWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void editOpensTheDocumentsWindowWithThePupilsValues_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("documentId");
        QTest::addColumn<QString>("component");
        QTest::addColumn<QStringList>("stored");  // a memo's lines, one record each
        QTest::addColumn<QString>("shown");
        QTest::newRow("meeting note") << u8("wywiadówka") << "FWywiadowka" << DocumentIds::kMeetingReport
                                      << "ZMIENNA_Klasa_DATA_EDIT" << QStringList{"4a"} << "4a";
        QTest::newRow("title page") << "MEN-I/37b/2 arkusz str. I" << "FArkuszStr1b"
                                    << DocumentIds::kGradeSheet1b << "ZMIENNA_KsiegaUczenNr_DATA_EDIT"
                                    << QStringList{"17/2024"} << "17/2024";
        QTest::newRow("grade 4 page, memo") << "MEN-I/37b/2 arkusz klasa IV" << "FArkuszStr6b"
                                            << DocumentIds::kGradeSheet6b << kAchievements
                                            << QStringList{"konkurs", "", "olimpiada"}
                                            << "konkurs\n\nolimpiada";
        QTest::newRow("grade 5 page, grade") << "MEN-I/37b/2 arkusz klasa V" << "FArkuszStr7b"
                                             << DocumentIds::kGradeSheet7b
                                             << "ZMIENNA_JPolskiOcn1_DATA_COMBOBOX"
                                             << QStringList{"bdb"} << "bdb";
        QTest::newRow("grade 6 page, misspelt memo")
            << "MEN-I/37b/2 arkusz klasa VI" << "FArkuszStr8b" << DocumentIds::kGradeSheet8b
            << "ZMEINNA_WynikSprawdzianu_DATA_MEMO" << QStringList{"32 pkt"} << "32 pkt";
    }

    // "Edytuj" on a document of the tree opens that document's window, modal, over the pupil's
    // stored values; closing it unchanged asks nothing and keeps the stored pupil as it was.
    void editOpensTheDocumentsWindowWithThePupilsValues() {
        QFETCH(QString, caption);
        QFETCH(QString, window);
        QFETCH(QString, documentId);
        QFETCH(QString, component);
        QFETCH(QStringList, stored);
        QFETCH(QString, shown);
        ProgramFixture f;
        RecordList records;
        const bool memo = component.contains(QLatin1String("_DATA_MEMO"));
        for (int line = 0; line < stored.size(); ++line) {
            const QString name = memo ? component + QString::asprintf("%02d", line + 1) : component;
            records.append(FieldRecord::make(documentId, name, stored.at(line)));
        }
        storePupil(QStringLiteral("PESEL1"), pupilRecords("Adamek", "Ewa", "1", records));
        QVERIFY(f.main->bFunReloadStudentList());
        const QStringList before = storedRows(QStringLiteral("PESEL1"));

        QString seen;
        QString title;
        DocumentWindow* opened = f.edit(caption, window, [&](DocumentWindow& w) {
            title = w.windowTitle();
            seen = shownText(w.findChild<QWidget*>(component));
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("AnulujButton")), Qt::LeftButton);
        });
        QVERIFY(opened);
        QVERIFY_PROMPTS(f.prompts);
        QVERIFY(!title.isEmpty());
        QCOMPARE(seen, shown);
        QVERIFY(!opened->isVisible());
        QCOMPARE(storedRows(QStringLiteral("PESEL1")), before);
    }

    // The year page opens with the first certificate chosen; the memo's lines typed there, an
    // empty middle one included, are saved by "OK" one record each and come back with the pupil.
    void okSavesTheMemoLinesAndTheReloadedPupilHasThem() {
        ProgramFixture f;
        storePupil(QStringLiteral("PESEL1"), pupilRecords("Adamek", "Ewa", "1"));
        QVERIFY(f.main->bFunReloadStudentList());

        QString firstChoice;
        DocumentWindow* window = f.edit(QStringLiteral("MEN-I/37b/2 arkusz klasa IV"),
                                        QStringLiteral("FArkuszStr6b"), [&](DocumentWindow& w) {
            firstChoice = w.findChild<QComboBox*>(QStringLiteral("SwiadectwoComboBox"))->currentText();
            auto* memo = w.findChild<MemoEdit*>(kAchievements);
            QTest::keyClicks(memo, QStringLiteral("konkurs"));
            QTest::keyClick(memo, Qt::Key_Return);
            QTest::keyClick(memo, Qt::Key_Return);
            QTest::keyClicks(memo, QStringLiteral("olimpiada"));
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
        });
        QVERIFY(window);
        QVERIFY_PROMPTS(f.prompts);
        QCOMPARE(firstChoice, QStringLiteral("czwarta"));

        const QString id = QString::fromLatin1(DocumentIds::kGradeSheet6b);
        const QStringList stored = storedRows(QStringLiteral("PESEL1"));
        const QStringList expected = {id + "|" + kAchievements + "01|konkurs",
                                      id + "|" + kAchievements + "02|",
                                      id + "|" + kAchievements + "03|olimpiada"};
        for (const QString& row : expected) QVERIFY2(stored.contains(row), qPrintable(row));
        // The edit command reselected the document, which reloaded the pupil from the file.
        FormModel& page = *f.main->forms().forModel(QStringLiteral("TFArkuszStr6b"));
        QCOMPARE(page.lines(kAchievements), (QStringList{"konkurs", "", "olimpiada"}));
        QCOMPARE(window->findChild<MemoEdit*>(kAchievements)->toPlainText(),
                 QStringLiteral("konkurs\n\nolimpiada"));
    }

    void templateButtonsFillFromTheSavedTemplate_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("templateField");
        QTest::addColumn<QString>("field");
        QTest::newRow("meeting note") << u8("wywiadówka") << "FWywiadowka" << "SzablonDanychButton"
                                      << "ZMIENNA_JObcy_DATA_EDIT" << "ZMIENNA_JObcyOpis_DATA_EDIT";
        QTest::newRow("title page") << "MEN-I/37b/2 arkusz str. I" << "FArkuszStr1b"
                                    << "WczytajSzablonButton" << "ZMIENNA_NazwaSzkoly2_DATA_EDIT"
                                    << "ZMIENNA_NazwaSzkoly2_DATA_EDIT";
    }

    // The template button of the note and of the title pages takes the saved school data.
    void templateButtonsFillFromTheSavedTemplate() {
        QFETCH(QString, caption);
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QString, templateField);
        QFETCH(QString, field);
        ProgramFixture f;
        FormModel& schoolTemplate = f.main->forms().schoolTemplate();
        schoolTemplate.setText(templateField, u8("Szkoła z ogrodem"));
        QVERIFY(bFunSaveSchoolTemplate(nullptr, schoolTemplate));
        schoolTemplate.vFunClearData();
        storePupil(QStringLiteral("PESEL1"), pupilRecords("Adamek", "Ewa", "1"));
        QVERIFY(f.main->bFunReloadStudentList());

        QString shown;
        DocumentWindow* opened = f.edit(caption, window, [&](DocumentWindow& w) {
            QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
            shown = shownText(w.findChild<QWidget*>(field));
            f.prompts.expectMessage(QStringLiteral("Czy zapisać zmiany wprowadzone w tym oknie?"),
                                    w.windowTitle(), PromptIcon::Question,
                                    PromptButtons::YesNoCancel, PromptAnswer::No);
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("AnulujButton")), Qt::LeftButton);
        });
        QVERIFY(opened);
        QVERIFY_PROMPTS(f.prompts);
        QCOMPARE(shown, u8("Szkoła z ogrodem"));
    }

    // The year page's button copies the pupil's chosen certificate into the chosen column.
    void yearPageLoadsTheChosenCertificateIntoTheColumn() {
        ProgramFixture f;
        const QString certificate5 = QStringLiteral("SWIADECTWO UKONCZENIA KLASY 5 SZKOLY PODST.");
        storePupil(QStringLiteral("PESEL1"),
                   pupilRecords("Adamek", "Ewa", "1",
                                {FieldRecord::make(certificate5, "ZMIENNA_PolskiOcena_STR2_DATA_COMBOBOX",
                                                   u8("celujący"))}));
        QVERIFY(f.main->bFunReloadStudentList());
        clickNode(*f.main, documentNode(*f.main->treeView(), 0, QStringLiteral("MEN-I/37b/2 arkusz klasa IV")));

        auto* window = f.main->findChild<DocumentWindow*>(QStringLiteral("FArkuszStr6"));
        QVERIFY(window);
        window->show();
        window->findChild<QComboBox*>(QStringLiteral("SwiadectwoComboBox"))->setCurrentText(u8("piąta"));
        window->findChild<QComboBox*>(QStringLiteral("KolumnaComboBox"))->setCurrentText(QStringLiteral("2"));
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("WczytajDaneZSwiadectwaButton")),
                          Qt::LeftButton);
        QCOMPARE(shownText(window->findChild<QWidget*>(QStringLiteral("ZMIENNA_JPolskiOcn2_DATA_COMBOBOX"))),
                 u8("celujący"));
        QCOMPARE(shownText(window->findChild<QWidget*>(QStringLiteral("ZMIENNA_JPolskiOcn1_DATA_COMBOBOX"))),
                 QString());
        window->hide();
        QVERIFY_PROMPTS(f.prompts);
    }

private:
    static QString u8(const char* text) { return QString::fromUtf8(text); }
};

QTEST_MAIN(GradeSheetWindowsTest)
#include "tst_grade_sheet_windows.moc"
