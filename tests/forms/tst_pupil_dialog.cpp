#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "forms/pupil_dialog.h"
#include "forms/pupil_model.h"
#include "forms/pupil_saver.h"
#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/paths.h"
#include "storage/sql_text.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kMissingData = QStringLiteral("Brak danych");
const QString kBadPesel =
    QStringLiteral("Numer PESEL nie jest prawidłowy lub zawiera nie dozwolone znaki");
const QString kOverwrite =
    QStringLiteral("Uczeń o tym numerze PESEL już istnieje, czy chcesz nadpisać dane tego ucznia ?");

// QTest::keyClicks takes Latin-1 only; Polish letters go as key events carrying their text.
// A character beyond the basic plane (two UTF-16 units) goes as one key, as a keyboard sends it.
void typeText(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const qsizetype units = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), text.mid(i, units),
                            Qt::NoModifier);
        i += units - 1;
    }
}

// Records what the main window would be asked to save, as the model holds it at that moment.
class FakeSaver : public PupilSaver {
public:
    struct Call {
        QString replacedTable, failureLead, table, firstName, surname;
    };

    explicit FakeSaver(const PupilModel& pupil) : m_pupil(pupil) {}

    bool savePupil(const QString& replacedTable, const QString& failureLead) override {
        calls.append({replacedTable, failureLead, pupilTableName(m_pupil),
                      m_pupil.text(PupilModel::kFirstName), m_pupil.text(PupilModel::kSurname)});
        return succeeds;
    }

    QList<Call> calls;
    bool succeeds = true;

private:
    const PupilModel& m_pupil;
};

// One dialog over its own model, in a fresh program data directory with the settings installed.
struct DialogFixture {
    explicit DialogFixture(bool installSettings = true) {
        if (installSettings && !bFunCheckFilesDir(err)) qFatal("install: %s", qPrintable(err.text()));
    }

    template <typename Widget>
    Widget* field(const QString& name) {
        Widget* widget = dialog.findChild<Widget*>(name);
        if (!widget) qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QLineEdit* edit(const QString& name) { return field<QLineEdit>(name); }
    QComboBox* combo(const QString& name) { return field<QComboBox>(name); }

    void type(const QString& name, const QString& text) {
        QLineEdit* target = edit(name);
        target->clear();  // not an edit: the model keeps its text until the keys arrive
        typeText(target, text);
    }
    void typeInCombo(const QString& name, const QString& text) {
        QLineEdit* target = combo(name)->lineEdit();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        typeText(target, text);
    }
    void fillValidPupil(const QString& pesel = QStringLiteral("04250312345")) {
        type(PupilModel::kSurname, QStringLiteral("Nowak"));
        type(PupilModel::kFirstName, QStringLiteral("Anna"));
        combo(PupilModel::kSex)->setCurrentIndex(0);
        type(PupilModel::kPesel, pesel);
    }
    void pressOk() { QTest::mouseClick(field<QPushButton>(QStringLiteral("OKButton")), Qt::LeftButton); }
    bool closedAccepted() const { return !dialog.isVisible() && dialog.result() == QDialog::Accepted; }

    static QString workingDatabase() {
        ErrorStream e;
        return strFunGetTmpFilePath(e);
    }
    static void createPupilTables(const QStringList& tables) {
        CppSQLite3DB db;
        db.open(workingDatabase());
        for (const QString& table : tables)
            db.execute(QStringLiteral("create table `%1`( `id` TEXT, `comp_name` TEXT, `value` TEXT )").arg(table));
        db.close();
    }
    static int countIn(const QString& file, const QString& sql) {
        CppSQLite3DB db;
        db.open(file);
        return db.scalar(sql);
    }

    TestEnvironment env;
    ErrorStream err;
    PupilModel pupil;
    FakeSaver saver{pupil};
    TFDaneUcznia dialog{pupil, saver, err};
};

}  // namespace

class TestPupilDialog : public QObject {
    Q_OBJECT
private slots:
    void missingOrWrongValueStopsWithFocus_data();
    void missingOrWrongValueStopsWithFocus();
    void peselNamesTheTable_data();
    void peselNamesTheTable();
    void namesGetCapitalInitial_data();
    void namesGetCapitalInitial();
    void addModeAsksBeforeReplacingAPupil_data();
    void addModeAsksBeforeReplacingAPupil();
    void editModeAsksBeforeTakingAnotherPupilsNumber_data();
    void editModeAsksBeforeTakingAnotherPupilsNumber();
    void nextPupilStartsWithPreviousYearAndPlace();
    void confirmedPlaceIsListedOnceInOrder_data();
    void confirmedPlaceIsListedOnceInOrder();
    void placeListFailureIsReportedAndDialogOpens_data();
    void placeListFailureIsReportedAndDialogOpens();
    void opensWithTheCursorInTheSurname();
    void inputRefusesWhatCannotBeStored_data();
    void inputRefusesWhatCannotBeStored();
    void storedTextLongerThanLimitIsKeptWhole();
    void closingWithoutOkAsksOnlyAboutChanges_data();
    void closingWithoutOkAsksOnlyAboutChanges();
};

void TestPupilDialog::missingOrWrongValueStopsWithFocus_data() {
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<int>("sex");
    QTest::addColumn<QString>("pesel");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    const QString surnameRequired = QStringLiteral("Nazwisko ucznia jest wymagane");
    QTest::newRow("nothing filled in: surname first")
        << "" << "" << -1 << "a-b" << surnameRequired << PupilModel::kSurname;
    QTest::newRow("no first name")
        << "Nowak" << "" << 0 << "" << "Imię ucznia jest wymagane" << PupilModel::kFirstName;
    QTest::newRow("no sex") << "Nowak" << "Anna" << -1 << "" << "Płeć ucznia jest wymagana" << PupilModel::kSex;
    QTest::newRow("hyphen in PESEL") << "Nowak" << "Anna" << 1 << "04-25-03" << kBadPesel << PupilModel::kPesel;
    QTest::newRow("Polish letter in PESEL") << "Nowak" << "Anna" << 1 << "0425ó" << kBadPesel << PupilModel::kPesel;
    QTest::newRow("blank in PESEL") << "Nowak" << "Anna" << 1 << "0425 0312" << kBadPesel << PupilModel::kPesel;
}

void TestPupilDialog::missingOrWrongValueStopsWithFocus() {
    QFETCH(QString, surname);
    QFETCH(QString, firstName);
    QFETCH(int, sex);
    QFETCH(QString, pesel);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    DialogFixture f;
    ScriptedPrompter prompts;
    f.dialog.show();
    f.type(PupilModel::kSurname, surname);
    f.type(PupilModel::kFirstName, firstName);
    f.combo(PupilModel::kSex)->setCurrentIndex(sex);
    f.type(PupilModel::kPesel, pesel);
    f.typeInCombo(PupilModel::kBirthTown, QStringLiteral("Ząbki"));

    prompts.expectMessage(message, kMissingData, PromptIcon::Warning, PromptButtons::Ok);
    f.pressOk();

    QVERIFY_PROMPTS(prompts);
    QVERIFY(f.dialog.isVisible());
    QVERIFY(f.saver.calls.isEmpty());
    QCOMPARE(f.dialog.focusWidget()->objectName(), focus);
    // The town is remembered although the pupil was not saved.
    QCOMPARE(f.countIn(f.env.mainDir() + QStringLiteral("/ustawienia.sqset"),
                       QStringLiteral("select count(*) from `city` where `name`='Ząbki'")),
             1);
}

void TestPupilDialog::peselNamesTheTable_data() {
    QTest::addColumn<QString>("pesel");
    QTest::addColumn<QString>("table");
    QTest::newRow("eleven digits") << "04250312345" << "PESEL04250312345";
    QTest::newRow("ten digits and a letter") << "0425031234A" << "PESEL0425031234A";
    QTest::newRow("empty") << "" << "PESEL";
}

void TestPupilDialog::peselNamesTheTable() {
    QFETCH(QString, pesel);
    QFETCH(QString, table);

    DialogFixture f;
    ScriptedPrompter prompts;
    f.dialog.show();
    f.fillValidPupil(pesel);
    f.pressOk();

    QVERIFY_PROMPTS(prompts);
    QVERIFY(f.closedAccepted());
    QCOMPARE(f.saver.calls.size(), 1);
    QCOMPARE(f.saver.calls.first().table, table);
    QCOMPARE(f.saver.calls.first().replacedTable, QString());
    QCOMPARE(f.saver.calls.first().failureLead, QStringLiteral("Błąd zapisu danych.\n\n"));
}

void TestPupilDialog::namesGetCapitalInitial_data() {
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("savedFirstName");
    QTest::addColumn<QString>("savedSurname");
    QTest::newRow("Polish letters") << "łukasz" << "żurawski" << "Łukasz" << "Żurawski";
    QTest::newRow("only the first letter") << "anna maria" << "o'HARA" << "Anna maria" << "O'HARA";
    QTest::newRow("already capital") << "Ćwiek" << "Śliwa" << "Ćwiek" << "Śliwa";
}

void TestPupilDialog::namesGetCapitalInitial() {
    QFETCH(QString, firstName);
    QFETCH(QString, surname);
    QFETCH(QString, savedFirstName);
    QFETCH(QString, savedSurname);

    DialogFixture f;
    ScriptedPrompter prompts;
    f.dialog.show();
    f.fillValidPupil();
    f.type(PupilModel::kFirstName, firstName);
    f.type(PupilModel::kSurname, surname);
    f.pressOk();

    QVERIFY_PROMPTS(prompts);
    QCOMPARE(f.saver.calls.size(), 1);
    QCOMPARE(f.saver.calls.first().firstName, savedFirstName);
    QCOMPARE(f.saver.calls.first().surname, savedSurname);
    QCOMPARE(f.edit(PupilModel::kFirstName)->text(), savedFirstName);
    QCOMPARE(f.edit(PupilModel::kSurname)->text(), savedSurname);
}

void TestPupilDialog::addModeAsksBeforeReplacingAPupil_data() {
    QTest::addColumn<bool>("pupilExists");
    QTest::addColumn<int>("answer");  // PromptAnswer to the overwrite question
    QTest::addColumn<bool>("saveSucceeds");
    QTest::addColumn<bool>("saveRequested");
    QTest::addColumn<bool>("closes");

    const int yes = int(PromptAnswer::Yes);
    const int no = int(PromptAnswer::No);
    QTest::newRow("new number: saved without asking") << false << -1 << true << true << true;
    QTest::newRow("existing number, Yes: replaced") << true << yes << true << true << true;
    QTest::newRow("existing number, No: stays open") << true << no << true << false << false;
    QTest::newRow("save fails: stays open") << false << -1 << false << true << false;
}

void TestPupilDialog::addModeAsksBeforeReplacingAPupil() {
    QFETCH(bool, pupilExists);
    QFETCH(int, answer);
    QFETCH(bool, saveSucceeds);
    QFETCH(bool, saveRequested);
    QFETCH(bool, closes);

    DialogFixture f;
    ScriptedPrompter prompts;
    f.saver.succeeds = saveSucceeds;
    if (pupilExists) f.createPupilTables({QStringLiteral("PESEL111")});
    f.dialog.setMode(PupilDialogMode::Add);
    f.dialog.show();
    f.fillValidPupil(QStringLiteral("111"));

    if (answer >= 0)
        prompts.expectMessage(kOverwrite, QStringLiteral("Zapis"), PromptIcon::Warning,
                              PromptButtons::YesNoDefaultNo, PromptAnswer(answer));
    f.pressOk();

    QVERIFY_PROMPTS(prompts);
    QCOMPARE(f.saver.calls.size(), saveRequested ? 1 : 0);
    QCOMPARE(f.closedAccepted(), closes);
    QCOMPARE(f.dialog.isVisible(), !closes);
    // The working database that did not exist yet is created empty.
    QVERIFY(QFileInfo(f.workingDatabase()).isFile());
}

void TestPupilDialog::editModeAsksBeforeTakingAnotherPupilsNumber_data() {
    QTest::addColumn<QString>("oldTable");
    QTest::addColumn<QString>("pesel");
    QTest::addColumn<int>("answer");  // PromptAnswer to the overwrite question; -1: not asked
    QTest::addColumn<bool>("saveRequested");

    QTest::newRow("same number") << "PESEL111" << "111" << -1 << true;
    QTest::newRow("free number") << "PESEL111" << "333" << -1 << true;
    QTest::newRow("another pupil's number, Yes") << "PESEL111" << "222" << int(PromptAnswer::Yes) << true;
    QTest::newRow("another pupil's number, No") << "PESEL111" << "222" << int(PromptAnswer::No) << false;
    // Table names ignore letter case, so this is still the pupil's own table.
    QTest::newRow("letter case only") << "PESELab1" << "AB1" << -1 << true;
}

void TestPupilDialog::editModeAsksBeforeTakingAnotherPupilsNumber() {
    QFETCH(QString, oldTable);
    QFETCH(QString, pesel);
    QFETCH(int, answer);
    QFETCH(bool, saveRequested);

    DialogFixture f;
    ScriptedPrompter prompts;
    f.createPupilTables({QStringLiteral("PESEL111"), QStringLiteral("PESEL222"), QStringLiteral("PESELab1")});
    f.dialog.setMode(PupilDialogMode::Edit);
    f.dialog.setOldTableName(oldTable);
    f.dialog.show();
    f.fillValidPupil(pesel);

    if (answer >= 0)
        prompts.expectMessage(kOverwrite, QStringLiteral("Zapis"), PromptIcon::Warning,
                              PromptButtons::YesNoDefaultNo, PromptAnswer(answer));
    f.pressOk();

    QVERIFY_PROMPTS(prompts);
    QCOMPARE(f.closedAccepted(), saveRequested);
    QCOMPARE(f.saver.calls.size(), saveRequested ? 1 : 0);
    if (saveRequested) {
        QCOMPARE(f.saver.calls.first().replacedTable, oldTable);
        QCOMPARE(f.saver.calls.first().failureLead,
                 QStringLiteral("Błąd podczas próby zapisu danych do pliku, zmiany nie zostały zapisane.\n\n"));
    }
}

void TestPupilDialog::nextPupilStartsWithPreviousYearAndPlace() {
    DialogFixture f;
    ScriptedPrompter prompts;
    f.dialog.show();
    f.fillValidPupil();
    f.type(PupilModel::kBirthDay, QStringLiteral("3 maja"));
    f.type(PupilModel::kRegisterNumber, QStringLiteral("17"));
    f.combo(PupilModel::kBirthYear)->setCurrentIndex(4);
    const QString year = f.combo(PupilModel::kBirthYear)->currentText();
    f.typeInCombo(PupilModel::kBirthTown, QStringLiteral("Kędzierzyn-Koźle"));
    f.typeInCombo(PupilModel::kBirthProvince, QStringLiteral("opolskie"));
    f.pressOk();
    QVERIFY(f.closedAccepted());

    // The add command clears the forms and opens the dialog again.
    f.pupil.vFunClearData();
    f.dialog.show();

    QVERIFY_PROMPTS(prompts);
    for (const QString& name : {PupilModel::kSurname, PupilModel::kFirstName, PupilModel::kBirthDay,
                                PupilModel::kRegisterNumber, PupilModel::kPesel}) {
        QVERIFY2(f.edit(name)->text().isEmpty(), qPrintable(name));
    }
    QCOMPARE(f.combo(PupilModel::kSex)->currentIndex(), -1);
    QCOMPARE(f.combo(PupilModel::kBirthYear)->currentText(), year);
    QCOMPARE(f.combo(PupilModel::kBirthTown)->currentText(), QStringLiteral("Kędzierzyn-Koźle"));
    QCOMPARE(f.combo(PupilModel::kBirthProvince)->currentText(), QStringLiteral("opolskie"));
    QCOMPARE(f.pupil.text(PupilModel::kBirthTown), QStringLiteral("Kędzierzyn-Koźle"));
}

void TestPupilDialog::confirmedPlaceIsListedOnceInOrder_data() {
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("listedAfter");
    QTest::addColumn<QString>("listedBefore");
    // In Polish order "Ł" follows "L"; in code-page order it would come after "Z".
    QTest::newRow("town with a Polish letter")
        << PupilModel::kBirthTown << "city" << "Łańcut" << "Lublin" << "Mielec";
    QTest::newRow("town with an apostrophe")
        << PupilModel::kBirthTown << "city" << "O'Hara" << "Nysa" << "Olsztyn";
    QTest::newRow("province") << PupilModel::kBirthProvince << "province" << "łowickie"
                              << "lubuskie" << "małopolskie";
}

void TestPupilDialog::confirmedPlaceIsListedOnceInOrder() {
    QFETCH(QString, component);
    QFETCH(QString, table);
    QFETCH(QString, name);
    QFETCH(QString, listedAfter);
    QFETCH(QString, listedBefore);

    DialogFixture f;
    ScriptedPrompter prompts;
    f.dialog.show();
    f.typeInCombo(component, name);
    prompts.expectMessage(QStringLiteral("Nazwisko ucznia jest wymagane"), kMissingData,
                          PromptIcon::Warning, PromptButtons::Ok);
    f.pressOk();
    f.fillValidPupil();
    f.pressOk();
    QVERIFY(f.closedAccepted());

    const QString settings = f.env.mainDir() + QStringLiteral("/ustawienia.sqset");
    QCOMPARE(f.countIn(settings, QStringLiteral("select count(*) from `%1` where `name`='%2'")
                                     .arg(table, sql::escaped(name))),
             1);

    f.dialog.show();
    QVERIFY_PROMPTS(prompts);
    QStringList items;
    for (int i = 0; i < f.combo(component)->count(); ++i) items << f.combo(component)->itemText(i);
    QCOMPARE(items.count(name), 1);
    QVERIFY2(items.indexOf(listedAfter) < items.indexOf(name), qPrintable(items.join(',')));
    QVERIFY2(items.indexOf(name) < items.indexOf(listedBefore), qPrintable(items.join(',')));
    QCOMPARE(f.combo(component)->currentText(), name);
}

void TestPupilDialog::placeListFailureIsReportedAndDialogOpens_data() {
    QTest::addColumn<bool>("settingsFileExists");
    QTest::addColumn<QString>("detail");  // %1: the settings file's path
    QTest::newRow("settings database missing") << false << "Plik nie istnieje.\n%1";
    QTest::newRow("place tables missing") << true << "Sql exception: SQLITE_ERROR";
}

void TestPupilDialog::placeListFailureIsReportedAndDialogOpens() {
    QFETCH(bool, settingsFileExists);
    QFETCH(QString, detail);

    DialogFixture f(false);
    const QString settings = f.env.mainDir() + QStringLiteral("/ustawienia.sqset");
    if (settingsFileExists) {
        CppSQLite3DB db;
        db.open(settings);
        db.execute(QStringLiteral("create table `settings`( `name` TEXT )"));
    }
    detail.replace(QStringLiteral("%1"), settings);

    ScriptedPrompter prompts;
    const QString caption = QStringLiteral("Błąd");
    prompts.expectMessage(QStringLiteral("Błąd podczas próby wczytania listy miast.\n") + detail, caption,
                          PromptIcon::Error, PromptButtons::Ok);
    prompts.expectMessage(QStringLiteral("Błąd podczas próby wczytania listy województw.\n") + detail,
                          caption, PromptIcon::Error, PromptButtons::Ok);
    f.dialog.show();

    QVERIFY_PROMPTS(prompts);
    QVERIFY(f.dialog.isVisible());
    QCOMPARE(f.combo(PupilModel::kBirthTown)->count(), 0);
    ErrorStream e;
    const QString log = strFunGetLogFilePath(e);
    for (const char* fun : {"bFunStudentDataLoadCityList()", "bFunStudentDataLoadProvinceList()"}) {
        QCOMPARE(f.countIn(log, QStringLiteral("select count(*) from `error` where fun='%1'").arg(fun)), 1);
    }
}

// Every opening starts at the surname, wherever the cursor was when the dialog last closed.
void TestPupilDialog::opensWithTheCursorInTheSurname() {
    DialogFixture f;
    for (int opening = 0; opening < 2; ++opening) {
        f.dialog.show();
        QCOMPARE(f.dialog.focusWidget(), f.edit(PupilModel::kSurname));
        f.edit(PupilModel::kPesel)->setFocus();
        f.dialog.hide();
    }
}

void TestPupilDialog::inputRefusesWhatCannotBeStored_data() {
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("hint");  // "" when nothing is to be said
    const QString cannot = QStringLiteral("Znak „%1” nie może być zapisany w pliku świadectw.");
    QTest::newRow("letter outside the code page")
        << PupilModel::kSurname << "Piñata" << "Piata" << cannot.arg("ñ");
    QTest::newRow("in a combo box too")
        << PupilModel::kBirthTown << "A Coruña" << "A Corua" << cannot.arg("ñ");
    QTest::newRow("Cyrillic letter")
        << PupilModel::kRegisterNumber << "12Ж" << "12" << cannot.arg("Ж");
    QTest::newRow("character beyond the basic plane")
        << PupilModel::kFirstName << QString::fromUtf8("Ola\U0001F600") << "Ola"
        << cannot.arg(QString::fromUtf8("\U0001F600"));
    QTest::newRow("PESEL over 20 characters") << PupilModel::kPesel << "1234567890123456789012"
                                              << "12345678901234567890" << "";
}

void TestPupilDialog::inputRefusesWhatCannotBeStored() {
    QFETCH(QString, component);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, hint);

    DialogFixture f;
    f.dialog.show();
    auto* target = f.dialog.findChild<QWidget*>(component);
    if (auto* box = qobject_cast<QComboBox*>(target)) target = box->lineEdit();
    typeText(target, typed);
    QCOMPARE(f.pupil.text(component), kept);
    auto* note = f.dialog.findChild<QLabel*>(QStringLiteral("InputHint"));
    QCOMPARE(note && note->isVisible(), !hint.isEmpty());
    if (note) QCOMPARE(note->text(), hint);
}

void TestPupilDialog::storedTextLongerThanLimitIsKeptWhole() {
    DialogFixture f;
    const QString stored = QString(60, QLatin1Char('x'));
    f.pupil.setText(PupilModel::kSurname, stored);
    f.dialog.show();
    QLineEdit* surname = f.edit(PupilModel::kSurname);
    QCOMPARE(surname->text(), stored);

    surname->end(false);
    QTest::keyClick(surname, Qt::Key_Y);
    QCOMPARE(f.pupil.text(PupilModel::kSurname), stored);
    QTest::keyClick(surname, Qt::Key_Backspace);
    QCOMPARE(f.pupil.text(PupilModel::kSurname), stored.left(59));
}

void TestPupilDialog::closingWithoutOkAsksOnlyAboutChanges_data() {
    QTest::addColumn<bool>("change");
    QTest::addColumn<int>("answer");  // -1: no question
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("stillOpen");
    QTest::newRow("nothing changed: closes at once") << false << -1 << false << false;
    QTest::newRow("Tak saves as OK does") << true << int(PromptAnswer::Yes) << true << false;
    QTest::newRow("Nie drops the changes") << true << int(PromptAnswer::No) << false << false;
    QTest::newRow("Anuluj keeps editing") << true << int(PromptAnswer::Cancel) << false << true;
}

void TestPupilDialog::closingWithoutOkAsksOnlyAboutChanges() {
    QFETCH(bool, change);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    QFETCH(bool, stillOpen);

    DialogFixture f;
    ScriptedPrompter prompts;
    f.dialog.setMode(PupilDialogMode::Add);
    f.dialog.show();
    if (change) f.fillValidPupil();
    if (answer >= 0) {
        prompts.expectMessage(QStringLiteral("Czy zapisać zmiany wprowadzone w tym oknie?"),
                              QStringLiteral("Dane ucznia"), PromptIcon::Question,
                              PromptButtons::YesNoCancel, PromptAnswer(answer));
    }
    QTest::keyClick(f.edit(PupilModel::kSurname), Qt::Key_Escape);

    QVERIFY_PROMPTS(prompts);
    QCOMPARE(f.saver.calls.size(), saved ? 1 : 0);
    QCOMPARE(f.dialog.isVisible(), stillOpen);
    if (!stillOpen) QCOMPARE(f.closedAccepted(), saved);
}

QTEST_MAIN(TestPupilDialog)
#include "tst_pupil_dialog.moc"
