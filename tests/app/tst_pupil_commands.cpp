#include <QFileInfo>
#include <QProgressBar>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "diagnostics/wait_window.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "pupil_fixture.h"
#include "support/file_size_limit.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

// Values typed into the grade sheets and the note (the first `count` fields the user can edit
// there): they must travel with the pupil.
RecordList documentValues(int count, int length = 20) {
    const FormRegistry forms;
    RecordList values;
    for (const DocumentType& type : documentTypes()) {
        if (type.family != DocumentFamily::MeetingReport
            && type.family != DocumentFamily::GradeSheetTitlePage
            && type.family != DocumentFamily::GradeSheetYearPage)
            continue;
        const FormModel& form = *forms.forModel(type.formName);
        for (int i = 0; i < form.componentCount() && values.size() < count; ++i) {
            const Component& c = form.component(i);
            const bool typed = c.kind == ComponentKind::Edit || c.kind == ComponentKind::ComboBox;
            if (!typed || c.readOnly || !c.enabled) continue;
            const QString value = QStringLiteral("w%1 ").arg(values.size() + 1);
            values << FieldRecord::make(type.documentId, c.name,
                                        value.leftJustified(length, QLatin1Char('x')));
        }
    }
    return values;
}

bool containsAll(const QStringList& stored, const QStringList& wanted) {
    for (const QString& row : wanted) {
        if (!stored.contains(row)) return false;
    }
    return true;
}

}  // namespace

class PupilCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void addedPupilsAppearSorted() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();

        const QStringList added[] = {
            {"żuraw", "Ala", "1"}, {"Zając", "Basia", "2"}, {"adamek", "Ewa", "3"}};
        for (const QStringList& pupil : added) {
            whenPupilDialogOpens(*main, newPupil(pupil[0], pupil[1], pupil[2]));
            main->DodajUczniaToolButtonClick();
        }

        QVERIFY_PROMPTS(prompts);
        QVERIFY(main->state().dirty);
        // The dialog capitalised the names; the tree sorts Ż as Z.
        QCOMPARE(pupilNames(*main->treeView()),
                 (QStringList{"Adamek Ewa", "Zając Basia", "Żuraw Ala"}));
        QCOMPARE(main->programWindow<TFDaneUcznia>()->mode(), PupilDialogMode::Add);
        QVERIFY(tableExists("PESEL1") && tableExists("PESEL2") && tableExists("PESEL3"));
    }

    void savingAPupilWithoutAPeselRecordKeepsItsTable() {
        // Files of other tools may keep the PESEL only in the table name. Saving such a pupil
        // used to move it to the table "PESEL", and the second one over the first.
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL111", {pupilField(PupilModel::kSurname, "Lis"),
                                pupilField(PupilModel::kFirstName, "Ala")});
        storePupil("PESEL222", {pupilField(PupilModel::kSurname, "Maj"),
                                pupilField(PupilModel::kFirstName, "Ewa")});
        main->bFunReloadStudentList();

        for (const char* table : {"PESEL111", "PESEL222"}) {
            QVERIFY(main->bFunLoadStudentData(table));
            QCOMPARE(main->forms().pupil().text(PupilModel::kPesel), QString(table).mid(5));
            QVERIFY(main->bFunSaveStudentData());
        }

        QVERIFY_PROMPTS(prompts);
        QVERIFY(tableExists("PESEL111") && tableExists("PESEL222"));
        QVERIFY(!tableExists("PESEL"));
        QCOMPARE(pupilNames(*main->treeView()), (QStringList{"Lis Ala", "Maj Ewa"}));
    }

    void addStartsFromEmptyForms() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL1", pupilRecords("Lis", "Ala", "1", documentValues(2)));
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, main->treeView()->topLevelItem(0));

        QString surnameShown = "not shown";
        whenPupilDialogOpens(*main, [&](TFDaneUcznia& dialog, PupilModel& pupil) {
            surnameShown = pupil.text(PupilModel::kSurname);
            newPupil("Maj", "Ewa", "2")(dialog, pupil);
        });
        main->DodajUczniaToolButtonClick();

        QVERIFY_PROMPTS(prompts);
        QCOMPARE(surnameShown, QString());
        // Nothing of the pupil loaded before reaches the new one.
        const QStringList added = storedRows("PESEL2");
        for (const QString& row : rows(documentValues(2))) QVERIFY(!added.contains(row));
        QCOMPARE(storedRows("PESEL1"), rows(pupilRecords("Lis", "Ala", "1", documentValues(2))));
    }

    // Pupil data typed and then dropped must not stay in the forms, where the next OK of a
    // document would save them (here: move the pupil to another PESEL under another name).
    void droppedPupilEditsLeaveTheForms() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL1", pupilRecords("Lis", "Ala", "1"));
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, main->treeView()->topLevelItem(0));

        prompts.expectMessage("Czy zapisać zmiany wprowadzone w tym oknie?", "Dane ucznia",
                              PromptIcon::Question, PromptButtons::YesNoCancel, PromptAnswer::No);
        whenPupilDialogOpens(
            *main,
            [](TFDaneUcznia&, PupilModel& pupil) {
                pupil.setText(PupilModel::kSurname, "Kos");
                pupil.setText(PupilModel::kPesel, "2");
            },
            false);
        main->EdytujDaneUczniaToolButtonClick();
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(main->forms().pupil().text(PupilModel::kSurname), QStringLiteral("Lis"));

        QVERIFY(main->bFunSaveStudentData());  // what a document's OK runs next
        QVERIFY(!tableExists("PESEL2"));
        QCOMPARE(pupilNames(*main->treeView()), QStringList{"Lis Ala"});
    }

    void changingThePeselMovesThePupil() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL111", pupilRecords("Bąk", "Ola", "111", documentValues(3)));
        storePupil("PESEL5", pupilRecords("Cis", "Jan", "5"));
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, main->treeView()->topLevelItem(0));

        whenPupilDialogOpens(*main, [](TFDaneUcznia&, PupilModel& pupil) {
            pupil.setText(PupilModel::kPesel, "999");
        });
        main->EdytujDaneUczniaToolButtonClick();

        QVERIFY_PROMPTS(prompts);
        QVERIFY(main->state().dirty);
        QVERIFY(!tableExists("PESEL111"));
        const QStringList moved = storedRows("PESEL999");
        QCOMPARE(moved.filter("DANE UCZNIA|NrPesel_DATA_EDIT|"),
                 QStringList{"DANE UCZNIA|NrPesel_DATA_EDIT|999"});
        QVERIFY(containsAll(moved, rows(documentValues(3))));
        QVERIFY(moved.contains("DANE UCZNIA|Nazwisko_DATA_EDIT|Bąk"));
        QCOMPARE(storedRows("PESEL5"), rows(pupilRecords("Cis", "Jan", "5")));
        QCOMPARE(main->studentList().size(), 2);
        QCOMPARE(main->treeView()->topLevelItem(0)->text(0), QStringLiteral("Bąk Ola"));
    }

    void saveShowsItsProgress() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        storePupil("PESEL1", pupilRecords("Lis", "Ala", "1", documentValues(40)));
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, main->treeView()->topLevelItem(0));

        TFWait* wait = main->programWindow<TFWait>();
        QVERIFY(wait);
        QList<int> steps;
        bool shownThroughout = true;
        connect(wait->progressBar(), &QProgressBar::valueChanged, wait, [&](int value) {
            steps << value;
            shownThroughout = shownThroughout && wait->isVisible();
        });
        QVERIFY(main->bFunSaveStudentData());

        const int records = static_cast<int>(storedRows("PESEL1").size());
        QCOMPARE(records, static_cast<int>(main->state().records.size()));
        QVERIFY(records > 40);
        QCOMPARE(wait->progressBar()->maximum(), records);
        QCOMPARE(steps.size(), records);  // one step per record written
        QCOMPARE(steps.last(), records);
        QVERIFY(shownThroughout);
        QVERIFY(!wait->isVisible());
        QVERIFY_PROMPTS(prompts);
    }

    // The disk fills up in the middle of the save: the pupil's stored table stays as it was.
    void failedSaveKeepsTheStoredPupil() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        const RecordList stored = pupilRecords("Lis", "Ala", "1", documentValues(3));
        storePupil("PESEL1", stored);
        QVERIFY(main->bFunReloadStudentList());
        clickNode(*main, main->treeView()->topLevelItem(0));
        // What the user typed since: far more than the disk still holds.
        RecordList edited = stored;
        edited << documentValues(200, 2000).mid(3);
        main->forms().applyAll(edited);

        prompts.expectMessageStartingWith("Błąd zapisu danych.\n\n", "Błąd", PromptIcon::Error,
                                          PromptButtons::Ok);
        bool saved = true;
        {
            // Room for dropping the old table, none for the new rows.
            const qint64 room = QFileInfo(workingDatabase()).size() + 64 * 1024;
            const FileSizeLimit diskFull(static_cast<rlim_t>(room));
            saved = main->bFunSaveStudentData();
        }

        QVERIFY(!saved);
        QVERIFY_PROMPTS(prompts);
        QCOMPARE(storedRows("PESEL1"), rows(stored));
        QVERIFY(!main->programWindow<TFWait>()->isVisible());
        QCOMPARE(pupilNames(*main->treeView()), QStringList{"Lis Ala"});
    }
};

QTEST_MAIN(PupilCommandsTest)
#include "tst_pupil_commands.moc"
