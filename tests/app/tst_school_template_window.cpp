#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "forms/document_window.h"
#include "forms/form_registry.h"
#include "forms/school_data_dialog.h"
#include "pupil_fixture.h"
#include "storage/paths.h"
#include "storage/school_template.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kCertificate4a = QStringLiteral("SWIADECTWO UKONCZENIA KLASY 4a SZKOLY PODST. MEN-I/3a/2");
const QString kCaption4a = QStringLiteral("MEN-I/3a/2 świad. klasa IV");
const QString kSchoolNumber = QStringLiteral("ZMIENNA_NrSzkoly_STR1_DATA_EDIT");
const QString kSchoolName = QStringLiteral("ZMIENNA_NazwaSzkolyPodstawowej1_STR1_DATA_EDIT");
const QString kQuestion = QStringLiteral("Szablon danych szkoły nie został jeszcze utworzony.\n"
                                         "Czy chcesz utworzyć szablon teraz ?");

// Runs `act` on the modal dialog named `name` as soon as it is the one open; the events of
// the dialogs before it are let through meanwhile.
void whenModal(QObject* context, const QString& name, std::function<void(QDialog&)> act,
               int attemptsLeft = 50) {
    QTimer::singleShot(0, context, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == name) {
            act(*dialog);
            if (dialog->isVisible()) dialog->done(QDialog::Rejected);  // fail, not hang
        } else if (attemptsLeft > 0) {
            whenModal(context, name, act, attemptsLeft - 1);
        } else {
            qWarning("%s did not open", qPrintable(name));
        }
    });
}

void clickButton(QWidget& window, const char* name) {
    window.findChild<QPushButton*>(QLatin1String(name))->click();
}

}  // namespace

class SchoolTemplateWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The tool button and the menu entry show the template window modally, with its two tabs.
    void toolButtonAndMenuOpenTheWindow_data() {
        QTest::addColumn<bool>("menu");
        QTest::newRow("tool button") << false;
        QTest::newRow("menu") << true;
    }

    void toolButtonAndMenuOpenTheWindow() {
        QFETCH(bool, menu);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        bool modal = false;
        QString title;
        QStringList tabs;
        whenModal(main.get(), QStringLiteral("FDaneSzkoly"), [&](QDialog& dialog) {
            modal = dialog.isModal();
            title = dialog.windowTitle();
            auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl"));
            for (int i = 0; i < pages->count(); ++i) tabs << pages->tabText(i);
            clickButton(dialog, "AnulujButton");
        });
        if (menu)
            mainMenuAction(*main, QStringLiteral("Szablon danych szkoły"))->trigger();
        else
            main->Szablondanychszkoy1Click();
        QVERIFY(modal);
        QCOMPARE(title, QStringLiteral("Szablon danych"));
        QCOMPARE(tabs, (QStringList{QStringLiteral("Szablon danych szkoły"),
                                    QStringLiteral("Szablon strony głównej arkusza ocen")}));
        QVERIFY_PROMPTS(prompts);
    }

    // Before the first template the edit command offers it; "Tak" opens the template window,
    // then the document. Once the window has been open, editing asks no more.
    void editCommandOffersTheTemplateOnce() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting("create_school_data_template", 1);
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL1", pupilRecords("Adamek", "Ewa", "1"));
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, documentNode(*main->treeView(), 0, kCaption4a));

        QStringList opened;
        auto openTemplateThenDocument = [&] {
            whenModal(main.get(), QStringLiteral("FDaneSzkoly"), [&](QDialog& dialog) {
                opened << dialog.objectName();
                clickButton(dialog, "OKButton");
            });
        };
        auto openDocument = [&] {
            whenModal(main.get(), QStringLiteral("FKlasa4a"), [&](QDialog& dialog) {
                opened << dialog.objectName();
                clickButton(dialog, "AnulujButton");
            });
        };
        prompts.expectMessage(kQuestion, QStringLiteral("Szablon"), PromptIcon::Question,
                              PromptButtons::YesNo, PromptAnswer::Yes)
            .whileShown([&] {
                openTemplateThenDocument();
                openDocument();
            });
        main->EdytujSwiadectwoToolButtonClick();
        QCOMPARE(opened, (QStringList{QStringLiteral("FDaneSzkoly"), QStringLiteral("FKlasa4a")}));
        QCOMPARE(readSetting("create_school_data_template"), 0);

        opened.clear();
        openDocument();
        main->EdytujSwiadectwoToolButtonClick();
        QCOMPARE(opened, QStringList{QStringLiteral("FKlasa4a")});
        QVERIFY_PROMPTS(prompts);
    }

    // The certificate window's "Wczytaj szablon danych szkoły" fills its school fields from the
    // saved template, where the user sees them; nothing is stored until OK.
    void certificateButtonFillsFromTheTemplate() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        ErrorStream err;
        QVERIFY(bFunSqlTemplateWriteData(
            err, strFunGetTemplateFilePath(err), QStringLiteral("school_data"),
            {FieldRecord::make("DANE SZKOLY", "ZMIENNA_SzkolaNr_DATA_EDIT", "12"),
             FieldRecord::make("DANE SZKOLY", "ZMIENNA_NazwaSzkolyPodstawowej1_DATA_EDIT", "")}));
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        auto* window = main->findChild<DocumentWindow*>(QStringLiteral("FKlasa4a"));
        FormModel& certificate = window->form();
        certificate.setText(kSchoolName, QStringLiteral("typed"));

        clickButton(*window, "SzablonDanychButton");
        QCOMPARE(certificate.text(kSchoolNumber), QStringLiteral("12"));
        QCOMPARE(window->findChild<QLineEdit*>(kSchoolNumber)->text(), QStringLiteral("12"));
        QCOMPARE(certificate.text(kSchoolName), QString());
        QVERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(SchoolTemplateWindowTest)
#include "tst_school_template_window.moc"
