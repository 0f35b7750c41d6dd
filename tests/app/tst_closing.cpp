#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "diagnostics/update_window.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

Q_DECLARE_METATYPE(PromptAnswer)

namespace {

constexpr auto kNone = static_cast<PromptAnswer>(-1);  // the question must not come

}  // namespace

class ClosingTest : public QObject {
    Q_OBJECT

private slots:
    void closeAsksAsNeeded_data() {
        QTest::addColumn<bool>("quit");
        QTest::addColumn<bool>("dirty");
        QTest::addColumn<bool>("viaKoniec");  // the menu entry instead of the window's close
        QTest::addColumn<PromptAnswer>("save");
        QTest::addColumn<PromptAnswer>("end");
        QTest::addColumn<bool>("closed");

        using A = PromptAnswer;
        QTest::newRow("clean, end") << false << false << false << kNone << A::Yes << true;
        QTest::newRow("clean, stay") << false << false << false << kNone << A::No << false;
        QTest::newRow("dirty, save, end") << false << true << false << A::Yes << A::Yes << true;
        QTest::newRow("dirty, don't save, end")
            << false << true << false << A::No << A::Yes << true;
        QTest::newRow("dirty, save, stay") << false << true << false << A::Yes << A::No << false;
        QTest::newRow("dirty, don't save, stay")
            << false << true << false << A::No << A::No << false;
        QTest::newRow("quit flag asks nothing") << true << true << false << kNone << kNone << true;
        QTest::newRow("Koniec asks despite the quit flag")
            << true << true << true << A::No << A::No << false;
        QTest::newRow("Koniec, clean, end") << false << false << true << kNone << A::Yes << true;
    }

    void closeAsksAsNeeded() {
        QFETCH(bool, quit);
        QFETCH(bool, dirty);
        QFETCH(bool, viaKoniec);
        QFETCH(PromptAnswer, save);
        QFETCH(PromptAnswer, end);
        QFETCH(bool, closed);
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        main->state().quit = quit;
        main->state().dirty = dirty;

        if (save != kNone) {
            prompts.expectMessage("Czy chcesz zapisać zmiany ?", "", PromptIcon::None,
                                  PromptButtons::YesNo, save);
            // No file is open, so saving asks for a name; the user backs out.
            if (save == PromptAnswer::Yes) {
                prompts.expectSaveFile("Zapisz plik", "Podstawowa 4-6(*.smrk)|*.smrk", QString());
            }
        }
        if (end != kNone) {
            prompts.expectMessage("Czy na pewno chcesz zakończyć pracę ?", "Koniec",
                                  PromptIcon::Question, PromptButtons::YesNo, end);
        }
        if (viaKoniec) {
            QAction* koniec = mainMenuAction(*main, "Koniec");
            QVERIFY(koniec);
            koniec->trigger();
        } else {
            main->close();
        }

        QVERIFY_PROMPTS(prompts);
        QCOMPARE(main->hasClosed(), closed);
    }

    void updateTimerEndsTheProgramWhenAsked_data() {
        QTest::addColumn<bool>("quit");
        QTest::newRow("update asks to end") << true;
        QTest::newRow("update leaves the program running") << false;
    }

    void updateTimerEndsTheProgramWhenAsked() {
        QFETCH(bool, quit);
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        main->aktualizacjaTimer()->start();
        main->state().quit = quit;
        // The update window finds no server in the test world; its "Zamknij" leaves it.
        QTimer::singleShot(0, main.get(), [&main] {
            auto* close = main->findChild<QPushButton*>(QStringLiteral("btnClose"));
            if (close && QTest::qWaitFor([close] { return close->isEnabled(); }, 30000)) close->click();
            if (auto* update = main->programWindow<TFAktualizacja>(); update && update->isVisible())
                update->done(QDialog::Rejected);
        });

        main->AktualizacjaTimerTimer();

        QVERIFY(!main->aktualizacjaTimer()->isActive());
        QCOMPARE(main->hasClosed(), quit);
        QVERIFY_PROMPTS(prompts);
    }
};

QTEST_MAIN(ClosingTest)
#include "tst_closing.moc"
