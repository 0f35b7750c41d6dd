#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QWheelEvent>

#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "diagnostics/about_window.h"
#include "diagnostics/wait_window.h"
#include "forms/shell_open.h"
#include "storage/paths.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kSeparator = QStringLiteral("-");

// The texts of a menu's entries, "-" for a separator.
QStringList entryTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? kSeparator : shownText(action));
    }
    return texts;
}

// Replaces the desktop's default handler for the lifetime of the object.
class ShellSpy {
public:
    ShellSpy() {
        vFunSetShellOpenHandler([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }
    ~ShellSpy() { vFunSetShellOpenHandler({}); }
    QList<QUrl> opened;
};

// Shows the window with two blank pages taller than it, so both can scroll.
void showTallPages(TFGlowna& main) {
    for (int page = 1; page <= 2; ++page) {
        QPixmap tall(885, 1314);
        tall.fill(Qt::white);
        main.image(page)->setPixmap(tall);
        main.image(page)->adjustSize();
    }
    main.resize(900, 600);
    main.show();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void toolBarHoldsButtonsAndSwitchesBetweenSeparators() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();

        // object name, hint (buttons) or caption (check boxes), checked as laid out
        const QStringList expected{
            "NowyPlikToolButton|Nowy plik świadectw",
            "OtworzPlikToolButton|Otwórz plik z świadectwami",
            "SaveButton|Zapisz",
            "ToolButton11|Szablon danych szkoły",
            "DodajUczniaToolButton|Dodaj nowego ucznia",
            "EdytujDaneUczniaToolButton|Edytuj dane wybranego ucznia",
            "UsunUczniaToolButton|Usuń dane wybranego ucznia",
            "EdytujSwiadectwoToolButton|Edytuj wybrane świadectwo / dokument",
            "DrukujToolButton|Drukuj świadectwo / dokument",
            "PomocToolButton|Pomoc",
            "KontaktButton|Wyślij wiadomość",
            "ImportStudentsSP13Button|Importuj dane uczniów z SP 1-3",
            "WykreskujPusteCheckBox|Wykreskuj puste pola|checked",
            "PrintNoDotsCheckBox|Wyłącz kropki|unchecked",
            "cbWordWrap|Ogranicz pola tekstowe|unchecked",
        };

        const auto* bar = main->findChild<QToolBar*>();
        QVERIFY(bar);
        QStringList seen;
        bool separatorBefore = true;  // none is wanted before the first item
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) {
                QVERIFY2(!separatorBefore, "two separators in a row or one at the start");
                separatorBefore = true;
                continue;
            }
            QVERIFY2(separatorBefore, "two items without a separator between them");
            separatorBefore = false;
            QWidget* item = bar->widgetForAction(action);
            if (auto* box = qobject_cast<QCheckBox*>(item)) {
                seen << box->objectName() + "|" + box->text() + "|" +
                            (box->isChecked() ? "checked" : "unchecked");
            } else if (auto* button = qobject_cast<QToolButton*>(item)) {
                seen << button->objectName() + "|" + button->toolTip();
                QCOMPARE(button->size(), QSize(46, 38));
                QCOMPARE(button->iconSize(), QSize(32, 32));
                QVERIFY2(!button->icon().pixmap(32, 32).isNull(), qPrintable(button->objectName()));
            } else {
                QFAIL("unexpected item in the tool bar");
            }
        }
        QCOMPARE(seen, expected);
    }

    void menusHoldTheirEntriesInOrder() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();

        const QList<QPair<QString, QStringList>> expected{
            {"Plik",
             {"Nowy plik", "Otwórz plik", "-", "Importuj", "Importuj dane uczniów z SP 1-3", "-",
              "Odyskaj dane z kopii zapasowej", "-", "Zapisz", "Zapisz jako", "-",
              "Szablon danych szkoły", "-", "Koniec"}},
            {"Uczniowie",
             {"Dodaj nowego ucznia", "Edytuj dane wybranego ucznia", "Usuń wybranego ucznia"}},
            {"Świadectwa", {"Edytuj wybrane świadectwo / dokument", "Drukuj wybrane świadectwo"}},
            {"Ustawienia",
             {"Formatowanie podstawowe ( tylko zmienne )",
              "Formatowanie zaawansowane ( wszystkie obiekty )", "-",
              "Eksportuj ustawienia kalibracji", "Importuj ustawienia kalibracji"}},
            {"Pomoc",
             {"O programie", "Sprawdź czy jest nowa wersja", "-", "Instrukcja obsługi", "-",
              "Wyślij wiadomość", "-", "Logi programu"}},
        };

        QList<QPair<QString, QStringList>> seen;
        for (QAction* action : main->menuBar()->actions()) {
            QVERIFY(action->menu());
            seen.append({shownText(action), entryTexts(action->menu())});
        }
        QCOMPARE(seen, expected);
        for (QAction* action : main->menuBar()->actions()) {
            for (QAction* entry : action->menu()->actions()) {
                QVERIFY2(entry->isEnabled(), qPrintable(entry->text()));
            }
        }
    }

    // Every menu title and entry has a mnemonic of its own within its menu.
    void menusHaveUniqueMnemonics() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        QList<QList<QAction*>> menus{main->menuBar()->actions(),
                                     main->treeViewPopupMenu()->actions()};
        for (QAction* title : main->menuBar()->actions()) menus << title->menu()->actions();
        for (const QList<QAction*>& menu : menus) {
            QSet<QChar> used;
            for (const QAction* action : menu) {
                if (action->isSeparator()) continue;
                const QString text = action->text();
                const qsizetype mark = text.indexOf(QLatin1Char('&'));
                QVERIFY2(mark >= 0 && mark + 1 < text.size(), qPrintable(text));
                const QChar key = text.at(mark + 1).toLower();
                QVERIFY2(!used.contains(key), qPrintable(text));
                used.insert(key);
            }
        }
    }

    // Alt+P opens "Plik"; the usual shortcuts run their commands.
    void keyboardReachesTheCommands_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("entry");  // the menu entry that shows the shortcut
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+N new file") << int(Qt::Key_N) << ctrl << "Nowy plik";
        QTest::newRow("Ctrl+O open") << int(Qt::Key_O) << ctrl << "Otwórz plik";
        QTest::newRow("Ctrl+S save") << int(Qt::Key_S) << ctrl << "Zapisz";
        QTest::newRow("Ctrl+P print") << int(Qt::Key_P) << ctrl << "Drukuj wybrane świadectwo";
        QTest::newRow("F1 manual") << int(Qt::Key_F1) << 0 << "Instrukcja obsługi";
        QTest::newRow("Alt+P menu Plik") << int(Qt::Key_P) << int(Qt::AltModifier) << "";
    }

    void keyboardReachesTheCommands() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, entry);
        TestEnvironment env;
        ScriptedPrompter prompts;
        ShellSpy shell;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        main->state().dirty = true;
        main->show();
        QApplication::setActiveWindow(main.get());
        QVERIFY(QTest::qWaitForWindowActive(main.get()));

        const QString classFiles = QStringLiteral("Podstawowa 4-6(*.smrk)|*.smrk");
        const QString saveChanges = QStringLiteral("Czy chcesz zapisać zmiany ?");
        if (key == Qt::Key_N) {
            prompts.expectMessage(saveChanges, "Edycja", PromptIcon::Question,
                                  PromptButtons::YesNo, PromptAnswer::No);
        } else if (key == Qt::Key_O) {
            prompts.expectMessage(saveChanges, "", PromptIcon::None, PromptButtons::YesNo,
                                  PromptAnswer::No);
            prompts.expectOpenFile("Wczytaj plik", classFiles, "");
        } else if (key == Qt::Key_S) {
            prompts.expectSaveFile("Zapisz plik", classFiles, "");
        } else if (key == Qt::Key_P && modifiers == Qt::ControlModifier) {
            prompts.expectMessage("Zaznacz świadectwo które chciesz wydrukować", "Brak wyboru",
                                  PromptIcon::Warning, PromptButtons::Ok);
        }
        QTest::keyClick(main.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QVERIFY_PROMPTS(prompts);
        if (key == Qt::Key_F1) {
            QCOMPARE(shell.opened,
                     QList<QUrl>{QUrl::fromLocalFile(env.installDir() + "/Rezizavevo.html")});
        }
        if (!entry.isEmpty()) {
            QAction* action = mainMenuAction(*main, entry);
            QVERIFY(action);
            QCOMPARE(action->shortcut(), QKeySequence(key | modifiers));
        } else {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(shownText(menu->menuAction()), QStringLiteral("Plik"));
            menu->close();
        }
    }

    void popupEntriesFollowTheSelection_data() {
        QTest::addColumn<QString>("selected");  // "", "pupil" or "document"
        QTest::addColumn<QStringList>("enabled");

        QTest::newRow("nothing") << "" << QStringList{"Dodaj ucznia"};
        QTest::newRow("pupil") << "pupil"
                               << QStringList{"Dodaj ucznia", "Edytuj dane ucznia",
                                              "Usuń dane ucznia"};
        QTest::newRow("document") << "document"
                                  << QStringList{"Dodaj ucznia", "Edytuj dane ucznia",
                                                 "Usuń dane ucznia", "Edytuj wybrane świadectwo",
                                                 "Drukuj wybrane świadectwo"};
    }

    void popupEntriesFollowTheSelection() {
        QFETCH(QString, selected);
        QFETCH(QStringList, enabled);
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();

        QMenu* popup = main->treeViewPopupMenu();
        QCOMPARE(popup->objectName(), QStringLiteral("TreeViewPopupMenu"));
        QCOMPARE(entryTexts(popup),
                 (QStringList{"Dodaj ucznia", "Edytuj dane ucznia", "Usuń dane ucznia", "-",
                              "Edytuj wybrane świadectwo", "-", "Drukuj wybrane świadectwo"}));

        auto* pupil = new QTreeWidgetItem(main->treeView(), QStringList{"Kowalski Jan"});
        auto* document = new QTreeWidgetItem(pupil, QStringList{"Świadectwo kl. 4"});
        if (selected == "pupil") pupil->setSelected(true);
        if (selected == "document") document->setSelected(true);
        main->vFunUpdatePopupMenu();

        QStringList seen;
        for (const QAction* action : popup->actions()) {
            if (!action->isSeparator() && action->isEnabled()) seen << shownText(action);
        }
        QCOMPARE(seen, enabled);
    }

    void previewAreaTreeAndTimers() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();

        QCOMPARE(main->objectName(), QStringLiteral("FGlowna"));
        QTabWidget* pages = main->pageControl();
        QCOMPARE(pages->objectName(), QStringLiteral("PageControl"));
        QCOMPARE(pages->count(), 2);
        for (int page = 1; page <= 2; ++page) {
            QWidget* sheet = pages->widget(page - 1);
            QCOMPARE(pages->tabText(page - 1), QStringLiteral("Strona %1").arg(page));
            QCOMPARE(sheet->objectName(), QStringLiteral("TabSheet%1").arg(page));
            auto* box = sheet->findChild<QScrollArea*>(QStringLiteral("ScrollBox%1").arg(page));
            QVERIFY(box);
            QCOMPARE(box->widget()->objectName(), QStringLiteral("Image%1").arg(page));
        }

        QTreeWidget* tree = main->treeView();
        QCOMPARE(tree->objectName(), QStringLiteral("TreeView"));
        QCOMPARE(tree->minimumWidth(), 265);
        QCOMPARE(tree->maximumWidth(), 265);
        QCOMPARE(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!tree->isSortingEnabled());

        QCOMPARE(main->aktualizacjaTimer()->objectName(), QStringLiteral("AktualizacjaTimer"));
        QCOMPARE(main->aktualizacjaTimer()->interval(), 1000);
        QVERIFY(!main->aktualizacjaTimer()->isActive());
        QCOMPARE(main->backupTimer()->objectName(), QStringLiteral("BackupTimer"));
        QCOMPARE(main->backupTimer()->interval(), 600000);
        QVERIFY(main->backupTimer()->isActive());

        main->setCurrentFilePath(QStringLiteral("/home/n/klasa 4a.smrk"));
        QCOMPARE(main->currentFilePath(), QStringLiteral("/home/n/klasa 4a.smrk"));
        main->setCurrentFilePath(QString());
        QCOMPARE(main->currentFilePath(), QString());
    }

    void treeHasTheKeyboardAtStart() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        main->show();
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(main->treeView()));
    }

    void wheelScrollsBothPagesOnce() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        showTallPages(*main);
        QVERIFY(QTest::qWaitForWindowExposed(main.get()));

        auto turn = [&](int page, int notches) {
            QWidget* viewport = main->scrollBox(page)->viewport();
            const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
            QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(viewport, &wheel);
        };
        auto position = [&](int page) {
            return main->scrollBox(page)->verticalScrollBar()->value();
        };
        auto show = [&](int page) { main->pageControl()->setCurrentIndex(page - 1); };

        turn(1, -1);
        QCOMPARE(position(1), 120);
        turn(1, -2);
        QCOMPARE(position(1), 360);
        show(2);
        QCOMPARE(position(2), 360);
        turn(2, 1);
        QCOMPARE(position(2), 240);
        QCOMPARE(position(1), 240);
        show(1);
        QCOMPARE(position(1), 240);
    }

    // Over the rest of the window the wheel scrolls the pages too, but the tree keeps its own
    // wheel, even when it has nothing more to scroll.
    void wheelOverTheWindowScrollsThePages_data() {
        QTest::addColumn<QString>("over");  // a widget's object name
        QTest::addColumn<int>("moved");     // how far the pages move for one notch down
        QTest::newRow("tool bar button") << "SaveButton" << 120;
        QTest::newRow("switch") << "PrintNoDotsCheckBox" << 120;
        QTest::newRow("file path line") << "StatusBar" << 120;
        QTest::newRow("page tabs") << "PageTabs" << 120;
        QTest::newRow("page scroll bar") << "ScrollBox1Bar" << 120;
        QTest::newRow("tree") << "TreeView" << 0;
    }

    void wheelOverTheWindowScrollsThePages() {
        QFETCH(QString, over);
        QFETCH(int, moved);
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        showTallPages(*main);
        QVERIFY(QTest::qWaitForWindowExposed(main.get()));

        QWidget* target = main->findChild<QWidget*>(over);
        if (over == "ScrollBox1Bar") target = main->scrollBox(1)->verticalScrollBar();
        if (over == "PageTabs") target = main->pageControl()->tabBar();
        QVERIFY(target);
        // A tree too short to scroll: the wheel travels on to its parents.
        if (over == "TreeView") target = main->treeView()->viewport();
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &wheel);

        QCOMPARE(main->scrollBox(1)->verticalScrollBar()->value(), moved);
        QCOMPARE(main->pageControl()->currentIndex(), 0);
        main->pageControl()->setCurrentIndex(1);
        QCOMPARE(main->scrollBox(2)->verticalScrollBar()->value(), moved);
        QVERIFY_PROMPTS(prompts);
    }

    void helpAndContactGoToTheDesktop_data() {
        QTest::addColumn<QString>("trigger");  // a tool button's object name or a menu entry
        QTest::addColumn<QString>("target");   // "help" or "contact"

        QTest::newRow("menu Instrukcja obsługi") << "Instrukcja obsługi"
                                                 << "help";
        QTest::newRow("tool button Pomoc") << "PomocToolButton"
                                           << "help";
        QTest::newRow("menu Wyślij wiadomość") << "Wyślij wiadomość"
                                               << "contact";
        QTest::newRow("tool button Kontakt") << "KontaktButton"
                                             << "contact";
    }

    void helpAndContactGoToTheDesktop() {
        QFETCH(QString, trigger);
        QFETCH(QString, target);
        TestEnvironment env;
        ScriptedPrompter prompts;
        ShellSpy shell;
        installProgramFiles();
        writeSetting(QStringLiteral("contact_page_url"),
                     QStringLiteral("https://kontakt.example/napisz"));
        const std::unique_ptr<TFGlowna> main = createProgramWindows();

        if (auto* button = main->findChild<QToolButton*>(trigger)) {
            button->click();
        } else {
            QAction* entry = mainMenuAction(*main, trigger);
            QVERIFY(entry);
            entry->trigger();
        }

        const QUrl expected = target == "help"
                                  ? QUrl::fromLocalFile(env.installDir() + "/Rezizavevo.html")
                                  : QUrl(QStringLiteral("https://kontakt.example/napisz"));
        QCOMPARE(shell.opened, QList<QUrl>{expected});
        QVERIFY_PROMPTS(prompts);
    }

    void switchClickStoresItsSetting_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("key");

        QTest::newRow("Wykreskuj puste pola") << "WykreskujPusteCheckBox"
                                              << "strike_empty_fields";
        QTest::newRow("Wyłącz kropki") << "PrintNoDotsCheckBox"
                                       << "print_without_dots";
        QTest::newRow("Ogranicz pola tekstowe") << "cbWordWrap"
                                                << "word_wrap";
    }

    void switchClickStoresItsSetting() {
        QFETCH(QString, box);
        QFETCH(QString, key);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        auto* check = main->findChild<QCheckBox*>(box);
        QVERIFY(check);

        check->click();
        QCOMPARE(readSetting(key), check->isChecked() ? 1 : 0);
        check->click();
        QCOMPARE(readSetting(key), check->isChecked() ? 1 : 0);
        QVERIFY_PROMPTS(prompts);
    }

    void aboutWindowShowsConfiguredContact_data() {
        QTest::addColumn<bool>("settingsReadable");
        QTest::addColumn<QString>("contact");

        QTest::newRow("configured text") << true << "Szkoła Testowa\nul. Próbna 2\ntel. 1 2 3";
        QTest::newRow("settings unreadable") << false << "";
    }

    void aboutWindowShowsConfiguredContact() {
        QFETCH(bool, settingsReadable);
        QFETCH(QString, contact);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        if (settingsReadable) {
            writeSetting(QStringLiteral("about_contact_text"), contact);
        } else {
            ErrorStream err;
            QVERIFY(QFile::remove(strFunGetSettingsFilePath(err, false)));
        }
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        auto* about = main->programWindow<TFOProgramie>();
        QVERIFY(about);

        bool wasModal = false;
        QString shown;
        QTimer::singleShot(0, about, [&] {
            wasModal = QApplication::activeModalWidget() == about;
            shown = about->contactText();
            about->findChild<QPushButton*>(QStringLiteral("ZamknijButton"))->click();
        });
        main->Oprogramie1Click();

        QVERIFY(wasModal);
        QVERIFY(!about->isVisible());
        QCOMPARE(shown, contact);
        QCOMPARE(about->windowTitle(), QStringLiteral("O programie"));
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("ProgramNameLabel"))->text(),
                 QStringLiteral("Orvento - Halvik, klasy 4-6"));
        QVERIFY(about->findChild<QLabel*>(QStringLiteral("VersionLabel"))
                    ->text()
                    .endsWith(QStringLiteral("1.8.0")));
        QVERIFY_PROMPTS(prompts);
    }

    void waitWindowCountsItems() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        auto* wait = main->programWindow<TFWait>();
        QVERIFY(wait);
        QVERIFY(!wait->isVisible());
        QCOMPARE(wait->size(), QSize(186, 51));
        QVERIFY(wait->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(wait->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        wait->showNow();
        QVERIFY(wait->isVisible());
        wait->setItemCount(3);
        QCOMPARE(wait->progressBar()->value(), 0);
        for (int i = 0; i < 3; ++i) wait->advance();
        QCOMPARE(wait->progressBar()->value(), wait->progressBar()->maximum());
        wait->close();
        QVERIFY(!wait->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
