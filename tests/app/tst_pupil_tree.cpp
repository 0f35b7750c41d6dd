#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "forms/form_registry.h"
#include "pupil_fixture.h"
#include "render/page_picture.h"
#include "render/print_dialog.h"
#include "support/recording_device.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

Q_DECLARE_METATYPE(PromptAnswer)

namespace {

const QStringList kTreeDocuments{
    "MEN-I/3a/2 świad. klasa IV",
    "MEN-I/3a-w/2 świad. klasa IV wyr.",
    "MEN-I/3a/2 świad. klasa V",
    "MEN-I/3a-w/2 świad. klasa V wyr.",
    "MEN-I/6a/2 świad. klasa VI",
    "MEN-I/6a-w/2 świad. klasa VI wyr.",
    "wywiadówka",
    "MEN-I/37b/2 arkusz str. I",
    "MEN-I/37b/2 arkusz klasa IV",
    "MEN-I/37b/2 arkusz klasa V",
    "MEN-I/37b/2 arkusz klasa VI",
};

// Two pupils named alike, apart only by PESEL and birthday, and one other between them.
void storeNamesakes() {
    const QString day = PupilModel::kBirthDay;
    storePupil("PESEL111", pupilRecords("Nowak", "Jan", "111", {pupilField(day, "1 maja")}));
    storePupil("PESEL333", pupilRecords("Adamek", "Ewa", "333"));
    storePupil("PESEL222", pupilRecords("Nowak", "Jan", "222", {pupilField(day, "2 maja")}));
}

// The words of the preview's first page.
QString previewText(const TFGlowna& main) {
    RecordingDevice device(96);
    {
        QPainter painter(&device);
        vFunDrawPagePicture(painter, main.state().pages[0], QRectF(0, 0, kPageWidth, kPageHeight));
    }
    QStringList words;
    for (const DrawnText& text : device.drawing().words()) words << text.text;
    return words.join(QLatin1Char(' '));
}

// The right button as the window system delivers it: a press, then a request for the
// context menu.
void rightClick(TFGlowna& main, const QPoint& at) {
    QWidget* viewport = main.treeView()->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &request);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
    QVERIFY(main.treeViewPopupMenu()->isVisible());
}

QStringList enabledPopupEntries(const TFGlowna& main) {
    QStringList enabled;
    for (const QAction* action : main.treeViewPopupMenu()->actions()) {
        if (!action->isSeparator() && action->isEnabled()) enabled << shownText(action);
    }
    return enabled;
}

// Two pupils, Adamek Ewa (PESEL1) and Bąk Ola (PESEL2), in the working database.
void storeAdamekAndBak() {
    storePupil("PESEL1", pupilRecords("Adamek", "Ewa", "1"));
    storePupil("PESEL2", pupilRecords("Bąk", "Ola", "2"));
}

}  // namespace

class PupilTreeTest : public QObject {
    Q_OBJECT

private slots:
    void treeListsPupilsSortedWithTheirDocuments() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL1", pupilRecords("Żuraw", "A", "1"));
        storePupil("PESEL2", pupilRecords("Zając", "B", "2"));
        storePupil("PESEL3", pupilRecords("Adamek", "E", "3"));

        QVERIFY(main->bFunReloadStudentList());
        const QTreeWidget& tree = *main->treeView();
        QCOMPARE(pupilNames(tree), (QStringList{"Adamek E", "Zając B", "Żuraw A"}));
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            QCOMPARE(nodeTexts(tree.topLevelItem(i)), kTreeDocuments);

        // A rebuild forgets the selection. (A certificate: the report has no calibration rows
        // yet, and clicking it reports so.)
        clickNode(*main, documentNode(tree, 1, kTreeDocuments.at(1)));
        QCOMPARE(main->strFunGetSelectedText(true), QStringLiteral("Zając B"));
        QVERIFY(main->bFunReloadStudentList());
        QVERIFY(tree.selectedItems().isEmpty());
        QCOMPARE(main->strFunGetSelectedText(true), QString());
        QVERIFY_PROMPTS(prompts);
    }

    void clickLoadsThatVeryPupil_data() {
        QTest::addColumn<int>("pupil");  // tree position
        QTest::addColumn<bool>("document");
        QTest::addColumn<QString>("pesel");
        QTest::addColumn<QString>("birthDay");

        QTest::newRow("first namesake") << 1 << false << "111"
                                        << "1 maja";
        QTest::newRow("second namesake") << 2 << false << "222"
                                         << "2 maja";
        QTest::newRow("second namesake's document") << 2 << true << "222"
                                                    << "2 maja";
        QTest::newRow("other pupil's document") << 0 << true << "333"
                                                << "";
    }

    void clickLoadsThatVeryPupil() {
        QFETCH(int, pupil);
        QFETCH(bool, document);
        QFETCH(QString, pesel);
        QFETCH(QString, birthDay);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storeNamesakes();
        QVERIFY(main->bFunReloadStudentList());
        QCOMPARE(pupilNames(*main->treeView()),
                 (QStringList{"Adamek Ewa", "Nowak Jan", "Nowak Jan"}));

        // Another pupil first, so the forms must change.
        clickNode(*main, main->treeView()->topLevelItem(pupil == 1 ? 2 : 1));
        QTreeWidgetItem* pupilNode = main->treeView()->topLevelItem(pupil);
        clickNode(*main, document ? pupilNode->child(5) : pupilNode);

        const PupilModel& model = main->forms().pupil();
        QCOMPARE(model.text(PupilModel::kPesel), pesel);
        QCOMPARE(model.text(PupilModel::kBirthDay), birthDay);
        QCOMPARE(main->forms().pupilTable(), "PESEL" + pesel);
        QStringList popup{"Dodaj ucznia", "Edytuj dane ucznia", "Usuń dane ucznia"};
        if (document)
            popup << "Edytuj wybrane świadectwo"
                  << "Drukuj wybrane świadectwo";
        QCOMPARE(enabledPopupEntries(*main), popup);
        QVERIFY_PROMPTS(prompts);
    }

    void storeFailuresAreShown_data() {
        QTest::addColumn<bool>("listing");  // else loading
        QTest::addColumn<QString>("message");

        QTest::newRow("listing a damaged database")
            << true << "Błąd podczas próby wczytania listy uczniów";
        QTest::newRow("loading a vanished pupil")
            << false << "Błąd podczas próby wczytania danych.\n\n";
    }

    void storeFailuresAreShown() {
        QFETCH(bool, listing);
        QFETCH(QString, message);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storeAdamekAndBak();
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, main->treeView()->topLevelItem(0));

        prompts.expectMessageStartingWith(message, "Błąd", PromptIcon::Error, PromptButtons::Ok);
        if (listing) {
            QFile database(workingDatabase());
            QVERIFY(database.open(QIODevice::WriteOnly));
            database.write(QByteArray(4096, 'x'));
            database.close();
            QVERIFY(!main->bFunReloadStudentList());
        } else {
            ErrorStream err;
            QVERIFY(bFunDeleteTable(err, workingDatabase(), "PESEL2"));
            clickNode(*main, main->treeView()->topLevelItem(1));
        }

        QVERIFY_PROMPTS(prompts);
        // The tree and the forms stay as they were.
        QCOMPARE(pupilNames(*main->treeView()), (QStringList{"Adamek Ewa", "Bąk Ola"}));
        QCOMPARE(main->forms().pupil().text(PupilModel::kPesel), QStringLiteral("1"));
        QCOMPARE(main->forms().pupilTable(), QStringLiteral("PESEL1"));
    }

    void deleteRemovesOnlyTheSelectedPupil_data() {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QStringList>("left");

        QTest::newRow("yes") << PromptAnswer::Yes << QStringList{"PESEL111", "PESEL333"};
        QTest::newRow("no") << PromptAnswer::No << QStringList{"PESEL111", "PESEL333", "PESEL222"};
    }

    void deleteRemovesOnlyTheSelectedPupil() {
        QFETCH(PromptAnswer, answer);
        QFETCH(QStringList, left);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storeNamesakes();
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, main->treeView()->topLevelItem(2));

        prompts.expectMessage("Czy na pewno chcesz skasować dane ucznia: \nNowak Jan", "Usuń",
                              PromptIcon::Warning, PromptButtons::YesNo, answer);
        main->UsunUczniaToolButtonClick();

        QVERIFY_PROMPTS(prompts);
        QVERIFY(main->state().dirty);
        QStringList tables;
        for (const StudentListEntry& entry : main->studentList()) tables << entry.tableName;
        QCOMPARE(tables, left);
        QCOMPARE(tableExists("PESEL222"), answer == PromptAnswer::No);
        QCOMPARE(storedRows("PESEL111"),
                 rows(pupilRecords("Nowak", "Jan", "111",
                                   {pupilField(PupilModel::kBirthDay, "1 maja")})));
        QVERIFY(main->treeView()->selectedItems().isEmpty());
    }

    // The right button selects the node under it, loads and shows it like a click, and the
    // pop-up menu's print command then prints that very document.
    void rightClickSelectsWhatThePopupActsOn() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storeAdamekAndBak();
        QVERIFY(main->bFunReloadStudentList());
        QTreeWidget* tree = main->treeView();
        tree->expandAll();
        clickNode(*main, tree->topLevelItem(0)->child(0));
        QVERIFY(previewText(*main).contains("Adamek"));

        QTreeWidgetItem* other = tree->topLevelItem(1)->child(0);
        rightClick(*main, tree->visualItemRect(other).center());
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{other});
        QCOMPARE(main->forms().pupilTable(), QStringLiteral("PESEL2"));
        QVERIFY(previewText(*main).contains("Bąk"));
        QVERIFY(!previewText(*main).contains("Adamek"));

        auto* printDialog = main->programWindow<TFDrukuj>();
        QString printed;
        QTimer::singleShot(0, printDialog, [&] {
            printed = previewText(*main);
            printDialog->reject();
        });
        QAction* print = nullptr;
        for (QAction* action : main->treeViewPopupMenu()->actions())
            if (shownText(action) == "Drukuj wybrane świadectwo") print = action;
        QVERIFY(print && print->isEnabled());
        main->treeViewPopupMenu()->close();
        print->trigger();
        QVERIFY(printed.contains("Bąk"));

        // On empty space the selection and the loaded pupil stay.
        rightClick(*main, QPoint(5, tree->viewport()->height() - 5));
        main->treeViewPopupMenu()->close();
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{other});
        QCOMPARE(main->forms().pupilTable(), QStringLiteral("PESEL2"));
        QVERIFY_PROMPTS(prompts);
    }

    // Moving with the keys loads the pupil of the new node and shows its document, as a click
    // does; a pupil node keeps the preview.
    void arrowKeysLoadAndShowTheNewNode() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storeAdamekAndBak();
        QVERIFY(main->bFunReloadStudentList());
        QTreeWidget* tree = main->treeView();
        clickNode(*main, tree->topLevelItem(0)->child(0));
        const QString adamek = previewText(*main);
        QVERIFY(adamek.contains("Adamek"));

        QTest::keyClick(tree, Qt::Key_Down);  // Adamek's next document
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{tree->topLevelItem(0)->child(1)});
        QVERIFY(previewText(*main).contains("Adamek"));
        QVERIFY(previewText(*main) != adamek);

        QTest::keyClick(tree, Qt::Key_End);  // Bąk's pupil node: loaded, preview kept
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{tree->topLevelItem(1)});
        QCOMPARE(main->forms().pupilTable(), QStringLiteral("PESEL2"));
        QCOMPARE(main->forms().pupil().text(PupilModel::kSurname), QStringLiteral("Bąk"));
        QVERIFY(previewText(*main).contains("Adamek"));

        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down}) QTest::keyClick(tree, key);
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{tree->topLevelItem(1)->child(0)});
        QVERIFY(previewText(*main).contains("Bąk"));
        QVERIFY(!previewText(*main).contains("Adamek"));

        // A press dragged onto another node selects it without a click: loaded all the same.
        QTreeWidgetItem* from = tree->topLevelItem(1)->child(1);
        QTreeWidgetItem* onto = tree->topLevelItem(0)->child(0);
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(from).center());
        QTest::mouseMove(tree->viewport(), tree->visualItemRect(onto).center());
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(onto).center());
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{onto});
        QCOMPARE(main->forms().pupilTable(), QStringLiteral("PESEL1"));
        QVERIFY(previewText(*main).contains("Adamek"));
        QVERIFY_PROMPTS(prompts);
    }

    void commandsWithoutTheirSelectionWarn_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<bool>("pupilSelected");
        QTest::addColumn<bool>("templateMissing");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("dirty");

        const QString noPupil = "Nie wybrano ucznia z listy";
        const QString noDocument = "Nie wybrano świadectwa z listy";
        const QString noPrint = "Zaznacz świadectwo które chciesz wydrukować";
        QTest::newRow("edit pupil data")
            << QByteArray("EdytujDaneUczniaToolButtonClick") << false << false << noPupil << true;
        QTest::newRow("delete pupil")
            << QByteArray("UsunUczniaToolButtonClick") << false << false << noPupil << true;
        QTest::newRow("edit document") << QByteArray("EdytujSwiadectwoToolButtonClick") << false
                                       << false << noDocument << true;
        QTest::newRow("edit document, pupil node")
            << QByteArray("EdytujSwiadectwoToolButtonClick") << true << false << noDocument << true;
        QTest::newRow("edit document, template missing")
            << QByteArray("EdytujSwiadectwoToolButtonClick") << false << true << noDocument << true;
        QTest::newRow("print") << QByteArray("DrukujToolButtonClick") << false << false << noPrint
                               << false;
        QTest::newRow("print, pupil node")
            << QByteArray("DrukujToolButtonClick") << true << false << noPrint << false;
    }

    void commandsWithoutTheirSelectionWarn() {
        QFETCH(QByteArray, command);
        QFETCH(bool, pupilSelected);
        QFETCH(bool, templateMissing);
        QFETCH(QString, message);
        QFETCH(bool, dirty);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting("create_school_data_template", templateMissing ? 1 : 0);
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL1", pupilRecords("Lis", "Ala", "1"));
        QVERIFY(main->bFunReloadStudentList());
        if (pupilSelected) clickNode(*main, main->treeView()->topLevelItem(0));

        if (templateMissing) {
            prompts.expectMessage(
                "Szablon danych szkoły nie został jeszcze utworzony.\nCzy chcesz utworzyć szablon "
                "teraz ?",
                "Szablon", PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::Yes);
            // "Tak" opens the template window first; closed unchanged, the command goes on.
            QTimer::singleShot(0, main.get(), [&main] {
                if (auto* schoolData = main->findChild<QDialog*>("FDaneSzkoly")) schoolData->reject();
            });
        }
        prompts.expectMessage(message, "Brak wyboru", PromptIcon::Warning, PromptButtons::Ok);
        QVERIFY(QMetaObject::invokeMethod(main.get(), command.constData()));

        QVERIFY_PROMPTS(prompts);
        QCOMPARE(main->state().dirty, dirty);
        QVERIFY(tableExists("PESEL1"));
    }

    void unreadableTemplateSettingStopsTheDocumentEdit() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        const std::unique_ptr<TFGlowna> main = createProgramWindows();  // no settings installed

        prompts.expectMessage("Błąd uzyskania zmiennej z pliku ustawień", "Błąd", PromptIcon::Error,
                              PromptButtons::Ok);
        main->EdytujSwiadectwoToolButtonClick();
        QVERIFY_PROMPTS(prompts);
        QVERIFY(!main->state().dirty);
    }

    // Commands act on the selected pupil, never on one an earlier click loaded.
    void commandsActOnTheSelectedPupil_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("edit pupil data") << QByteArray("EdytujDaneUczniaToolButtonClick");
        QTest::newRow("edit document") << QByteArray("EdytujSwiadectwoToolButtonClick");
        QTest::newRow("print") << QByteArray("DrukujToolButtonClick");
    }

    void commandsActOnTheSelectedPupil() {
        QFETCH(QByteArray, command);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting("create_school_data_template", 0);
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        auto* form = main->findChild<QDialog*>("FKlasa4a");
        QVERIFY(form);
        storeAdamekAndBak();
        QVERIFY(main->bFunReloadStudentList());
        QTreeWidget* tree = main->treeView();
        clickNode(*main, tree->topLevelItem(0));
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down}) QTest::keyClick(tree, key);
        QCOMPARE(tree->currentItem(), tree->topLevelItem(1)->child(0));
        main->state().print = true;

        QString shownPesel;
        QString oldTable;
        bool modal = false;
        if (command.startsWith("EdytujDane")) {
            whenPupilDialogOpens(
                *main,
                [&](TFDaneUcznia& dialog, PupilModel& pupil) {
                    shownPesel = pupil.text(PupilModel::kPesel);
                    oldTable = dialog.oldTableName();
                    modal = dialog.isModal();
                },
                false);
        } else if (command.startsWith("EdytujSwiadectwo")) {
            QTimer::singleShot(0, form, [&] {
                shownPesel = main->forms().pupil().text(PupilModel::kPesel);
                modal = form->isVisible() && form->isModal();
                form->reject();
            });
        } else {
            auto* printDialog = main->programWindow<TFDrukuj>();
            QVERIFY(printDialog);
            QTimer::singleShot(0, printDialog, [printDialog] { printDialog->reject(); });
        }
        QVERIFY(QMetaObject::invokeMethod(main.get(), command.constData()));

        QVERIFY_PROMPTS(prompts);
        QCOMPARE(main->forms().pupilTable(), QStringLiteral("PESEL2"));
        if (command.startsWith("Drukuj")) {
            QVERIFY(!main->state().print);
            return;
        }
        QCOMPARE(shownPesel, QStringLiteral("2"));
        QVERIFY(modal);
        if (command.startsWith("EdytujDane")) QCOMPARE(oldTable, QStringLiteral("PESEL2"));
        // The edited document comes back selected after the form closes.
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{tree->topLevelItem(1)->child(0)});
        QCOMPARE(storedRows("PESEL1"), rows(pupilRecords("Adamek", "Ewa", "1")));
        QCOMPARE(storedRows("PESEL2"), rows(pupilRecords("Bąk", "Ola", "2")));
    }
};

QTEST_MAIN(PupilTreeTest)
#include "tst_pupil_tree.moc"
