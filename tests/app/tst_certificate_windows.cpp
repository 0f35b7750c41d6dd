#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include "app/file_commands.h"
#include "app/program_windows.h"
#include "app_fixture.h"
#include "forms/certificate_family.h"
#include "forms/document_window.h"
#include "forms/form_registry.h"
#include "pupil_fixture.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kCertificate4a = QStringLiteral("SWIADECTWO UKONCZENIA KLASY 4a SZKOLY PODST. MEN-I/3a/2");
const QString kCaption4a = QStringLiteral("MEN-I/3a/2 świad. klasa IV");
const QString kClass = QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT");
const QString kNote1 = QStringLiteral("ZMIENNA_Uposledzenie1_STR2_DATA_EDIT");
const QString kFilter = QStringLiteral("Podstawowa 4-6(*.smrk)|*.smrk");

// A class file at `path` holding the pupil of `table`.
void writeClassFile(const QString& path, const QString& table, const RecordList& records) {
    ErrorStream err;
    QVERIFY2(iFunCheckIsStudentExists(err, path, table, true) == 0, qPrintable(err.text()));
    QVERIFY2(bFunSaveCertData(err, path, table, records), qPrintable(err.text()));
}

void openClassFile(TFGlowna& main, ScriptedPrompter& prompts, const QString& path) {
    prompts.expectOpenFile(QStringLiteral("Wczytaj plik"), kFilter, path);
    main.OtworzPlikToolButtonClick();
}

}  // namespace

class CertificateWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // Each certificate has one window at start-up, a view over the registry's model.
    void everyCertificateHasItsWindow() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        for (const CertificateMember& member : certificateMembers()) {
            auto* window = main->findChild<DocumentWindow*>(member.windowName.mid(1),
                                                            Qt::FindDirectChildrenOnly);
            QVERIFY2(window, qPrintable(member.windowName));
            QCOMPARE(&window->form(), main->forms().forModel(member.windowName));
            QCOMPARE(window->windowTitle(), member.windowTitle);
            QVERIFY(window->findChild<QLineEdit*>(QStringLiteral("ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT")));
        }
        QVERIFY_PROMPTS(prompts);
    }

    // The edit command opens the window modally over the pupil's stored values; OK keeps what
    // was typed, "Anuluj" answered "Nie" drops it once the pupil is reloaded.
    void editCommandShowsTheWindowAndReselects_data() {
        QTest::addColumn<bool>("pressOk");
        QTest::newRow("OK") << true;
        QTest::newRow("Anuluj") << false;
    }

    void editCommandShowsTheWindowAndReselects() {
        QFETCH(bool, pressOk);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting("create_school_data_template", 0);
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL1", pupilRecords("Adamek", "Ewa", "1",
                                          {FieldRecord::make(kCertificate4a, kClass, "czwartej")}));
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, documentNode(*main->treeView(), 0, kCaption4a));

        auto* window = main->findChild<DocumentWindow*>(QStringLiteral("FKlasa4a"));
        if (!pressOk) {
            prompts.expectMessage(QStringLiteral("Czy zapisać zmiany wprowadzone w tym oknie?"),
                                  window->windowTitle(), PromptIcon::Question,
                                  PromptButtons::YesNoCancel, PromptAnswer::No);
        }
        QString shown;
        bool modal = false;
        QTimer::singleShot(0, window, [&] {
            modal = window->isVisible() && window->isModal();
            auto* edit = window->findChild<QLineEdit*>(kClass);
            shown = edit->text();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("piatej"));
            window->findChild<QPushButton*>(pressOk ? QStringLiteral("OKButton")
                                                    : QStringLiteral("AnulujButton"))
                ->click();
            if (window->isVisible()) window->done(QDialog::Rejected);  // fail, not hang
        });
        main->EdytujSwiadectwoToolButtonClick();

        QVERIFY_PROMPTS(prompts);
        QVERIFY(modal);
        QCOMPARE(shown, QStringLiteral("czwartej"));
        QVERIFY(!window->isVisible());
        const QString expected = pressOk ? QStringLiteral("piatej") : QStringLiteral("czwartej");
        QCOMPARE(main->forms().forModel(QStringLiteral("TFKlasa4a"))->text(kClass), expected);
        QCOMPARE(window->findChild<QLineEdit*>(kClass)->text(), expected);
        const QStringList stored = storedRows("PESEL1");
        QVERIFY(stored.contains(kCertificate4a + QLatin1Char('|') + kClass + QLatin1Char('|') + expected));
        QCOMPARE(stored.contains(kCertificate4a + QLatin1Char('|') + kNote1 + QStringLiteral("| ")), pressOk);
        QTreeWidget* tree = main->treeView();
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{documentNode(*tree, 0, kCaption4a)});
    }

    // The forms held a pupil of the class opened before; a document of a pupil with the same
    // table, selected with the keyboard (no click loads it), must show and save that pupil's
    // own values, not empty or foreign forms under its table.
    void editAfterAnotherOpenActsOnTheStoredPupil_data() {
        QTest::addColumn<bool>("newFileBetween");
        QTest::newRow("new file, then the same file again") << true;
        QTest::newRow("another file with the same table") << false;
    }

    void editAfterAnotherOpenActsOnTheStoredPupil() {
        QFETCH(bool, newFileBetween);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting("create_school_data_template", 1);
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        const QString first = env.dataHome() + QStringLiteral("/a.smrk");
        const QString second = newFileBetween ? first : env.dataHome() + QStringLiteral("/b.smrk");
        const RecordList firstPupil = pupilRecords(
            "Adamek", "Ewa", "1", {FieldRecord::make(kCertificate4a, kClass, "czwartej")});
        const RecordList secondPupil = pupilRecords(
            "Bąk", "Ola", "1", {FieldRecord::make(kCertificate4a, kClass, "piątej")});
        writeClassFile(first, "PESEL1", firstPupil);
        if (!newFileBetween) writeClassFile(second, "PESEL1", secondPupil);
        const RecordList& expected = newFileBetween ? firstPupil : secondPupil;

        openClassFile(*main, prompts, first);
        clickNode(*main, main->treeView()->topLevelItem(0));
        if (newFileBetween) main->NowyPlikToolButtonClick();
        openClassFile(*main, prompts, second);
        QTreeWidget* tree = main->treeView();
        tree->setCurrentItem(documentNode(*tree, 0, kCaption4a));  // as the arrow keys do

        auto* window = main->findChild<DocumentWindow*>(QStringLiteral("FKlasa4a"));
        QString shown;
        prompts.expectMessage(QStringLiteral("Szablon danych szkoły nie został jeszcze utworzony.\n"
                                             "Czy chcesz utworzyć szablon teraz ?"),
                              QStringLiteral("Szablon"), PromptIcon::Question, PromptButtons::YesNo,
                              PromptAnswer::No);
        QTimer::singleShot(0, window, [&] {
            shown = window->findChild<QLineEdit*>(kClass)->text();
            window->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
            if (window->isVisible()) window->done(QDialog::Rejected);  // fail, not hang
        });
        main->EdytujSwiadectwoToolButtonClick();

        QVERIFY_PROMPTS(prompts);
        QVERIFY(!tableExists(QStringLiteral("PESEL")));
        const QStringList stored = storedRows(QStringLiteral("PESEL1"));
        for (const QString& row : rows(expected)) QVERIFY2(stored.contains(row), qPrintable(row));
        QCOMPARE(shown, expected.last().value);
        QCOMPARE(pupilNames(*tree), QStringList{expected.first().value + QStringLiteral(" ") +
                                                expected.at(1).value});
    }
};

QTEST_MAIN(CertificateWindowsTest)
#include "tst_certificate_windows.moc"
