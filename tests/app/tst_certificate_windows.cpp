#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

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
    // was typed, "Anuluj" drops it once the pupil is reloaded.
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
            if (window->isVisible()) window->reject();  // fail, not hang
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
};

QTEST_MAIN(CertificateWindowsTest)
#include "tst_certificate_windows.moc"
