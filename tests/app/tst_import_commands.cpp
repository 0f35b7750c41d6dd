#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include "app/program_windows.h"
#include "app_fixture.h"
#include "exchange/backup.h"
#include "forms/form_registry.h"
#include "pupil_fixture.h"
#include "storage/cp1250.h"
#include "storage/pupil_store.h"
#include "support/file_contents.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

const QString kSrkFilter = QStringLiteral("Podstawowa 4-6 (*.srk)|*.srk");
const QString kLumkFilter = QStringLiteral("Podstawowa 1-3 (*.lumk)|*.lumk");
const QString kImportQuestion = QStringLiteral(
    "Import danych spowoduje nadpisanie pliku tymczasowego, proszę zapisać dane aktualnie "
    "edytowanych uczniów przed importem.\n\nCzy na pewno chcesz importować nowy plik ?");

// An old text class file with one block per pupil ("Surname First PESEL"), in its code page.
QByteArray srkText(const QStringList& pupils) {
    QString text = QStringLiteral("Plik danych\r\n");
    for (const QString& pupil : pupils) {
        const QStringList p = pupil.split(' ');
        text += "<DANE SWIADECTW DLA: " + p.value(0) + "\r\n<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>\r\n"
                "<Nazwisko_DATA_EDIT>" + p.value(0) + "\r\n<Imie_DATA_EDIT>" + p.value(1) + "\r\n";
        if (!p.value(2).isEmpty()) text += "<NrPesel_DATA_EDIT>" + p.value(2) + "\r\n";
        text += "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>\r\n</KONIEC DANYCH SWIADECTW>\r\n";
    }
    return cp1250::fromUnicode(text);
}

QStringList backups() {
    ErrorStream err;
    return QDir(strFunGetBackupDirPath(err)).entryList(QDir::Files, QDir::Name);
}

// The program after start-up with one unsaved pupil in its working database and a class file
// open, plus a folder for the files to import.
struct Session {
    TestEnvironment env;
    ScriptedPrompter prompts;
    std::unique_ptr<TFGlowna> window;
    QString files;

    Session() {
        installProgramFiles();
        window = createProgramWindows();
        files = env.dataHome() + "/import";
        QDir().mkpath(files);
        storePupil("PESEL1", pupilRecords("Niezapisana", "Ola", "1"));
        window->setCurrentFilePath(files + "/klasa.smrk");
        window->bFunReloadStudentList();
    }
    QString file(const QString& name, const QByteArray& bytes) const {
        const QString path = files + '/' + name;
        writeFile(path, bytes);
        return path;
    }
};

}  // namespace

class ImportCommandsTest : public QObject {
    Q_OBJECT

private slots:
    // The pupils of the old file replace the class; the class as it was is kept as a backup copy
    // and the file that was open is no longer the current file, so no save overwrites it.
    void srkImportReplacesTheClassAndKeepsTheOldOneAsBackup() {
        Session s;
        const QString source = s.file("stara.srk", srkText({"Żak Łucja 111", "Adamek Ewa 222"}));
        s.prompts.expectOpenFile("Import danych", kSrkFilter, source);
        s.window->Importuj1Click();
        QVERIFY_PROMPTS(s.prompts);

        QCOMPARE(pupilNames(*s.window->treeView()), QStringList({"Adamek Ewa", "Żak Łucja"}));
        QVERIFY(s.window->currentFilePath().isEmpty());
        QVERIFY(!s.window->state().dirty);
        const QStringList copies = backups();
        QCOMPARE(copies.size(), 1);
        ErrorStream err;
        StudentList saved;
        QVERIFY(bFunGetStudentsList(err, strFunGetBackupDirPath(err) + copies.first(), saved));
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.first().displayName, QStringLiteral("Niezapisana Ola"));
    }

    // With unsaved changes the import asks first; "Nie" leaves everything as it was.
    void srkImportAsksFirstWhenChangesAreUnsaved() {
        Session s;
        s.window->state().dirty = true;
        const QByteArray before = readFile(workingDatabase());
        s.prompts.expectMessage(kImportQuestion, "Import", PromptIcon::Question,
                                PromptButtons::YesNo, PromptAnswer::No);
        s.window->Importuj1Click();
        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(readFile(workingDatabase()), before);
        QVERIFY(backups().isEmpty());
        QVERIFY(!s.window->currentFilePath().isEmpty());
    }

    // A failure is shown with the reader's text; the pupils read before it stay; a pupil the
    // reader refused is reported after the import.
    void srkImportReportsFailuresAndRefusedPupils_data() {
        QTest::addColumn<QStringList>("pupils");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QStringList>("tree");
        QTest::newRow("missing file") << QStringList() << false
                                      << "Plik źródłowy nie istnieje: \n" << false
                                      << QStringList({"Niezapisana Ola"});
        QTest::newRow("same PESEL twice")
            << QStringList({"Abel Jan 5", "Bąk Ewa 5", "Cis Ada 6"}) << true
            << "SQLite exception: \n" << false << QStringList({"Abel Jan"});
        QTest::newRow("pupil without PESEL")
            << QStringList({"Abel Jan 5", "Bąk Ewa", "Cis Ada 6"}) << true << QString() << true
            << QStringList({"Abel Jan", "Cis Ada"});
    }

    void srkImportReportsFailuresAndRefusedPupils() {
        QFETCH(QStringList, pupils);
        QFETCH(bool, fileExists);
        QFETCH(QString, error);
        QFETCH(bool, warning);
        QFETCH(QStringList, tree);
        Session s;
        const QString source = fileExists ? s.file("stara.srk", srkText(pupils))
                                          : s.files + "/brak.srk";
        s.prompts.expectOpenFile("Import danych", kSrkFilter, source);
        if (!error.isEmpty())
            s.prompts.expectMessageStartingWith(error, "Błąd", PromptIcon::Error,
                                                PromptButtons::Ok);
        if (warning)
            s.prompts.expectMessageStartingWith(QString(), "Import danych", PromptIcon::Warning,
                                                PromptButtons::Ok);
        s.window->Importuj1Click();
        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(pupilNames(*s.window->treeView()), tree);
    }

    // A backup that cannot be made stops the import before anything is replaced.
    void importWithoutBackupReplacesNothing() {
        Session s;
        ErrorStream err;
        const QString backupDir = strFunGetBackupDirPath(err);
        QDir(backupDir).removeRecursively();
        writeFile(backupDir.chopped(1), "not a folder");
        const QByteArray before = readFile(workingDatabase());
        const QString source = s.file("stara.srk", srkText({"Abel Jan 5"}));
        s.prompts.expectOpenFile("Import danych", kSrkFilter, source);
        s.prompts.expectMessageStartingWith("Błąd podczas tworzenia katalogu", "Błąd",
                                            PromptIcon::Error, PromptButtons::Ok);
        s.window->Importuj1Click();
        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(readFile(workingDatabase()), before);
        QCOMPARE(pupilNames(*s.window->treeView()), QStringList({"Niezapisana Ola"}));
    }

    // The grades 1-3 file becomes the working database; the class before is in the backup.
    void grades13ImportTakesTheFileAsTheClass() {
        Session s;
        const QString source = s.files + "/klasa3.lumk";
        ErrorStream err;
        QVERIFY(iFunCheckIsStudentExists(err, source, "PESEL9", true) == 0);
        QVERIFY(bFunSaveCertData(err, source, "PESEL9", pupilRecords("Trzecia", "Zosia", "9")));
        s.prompts.expectMessage(kImportQuestion, "Import", PromptIcon::Question,
                                PromptButtons::YesNo, PromptAnswer::Yes);
        s.prompts.expectOpenFile("Importuj dane z SP 1-3", kLumkFilter, source);
        s.window->ImportStudentsSP13ButtonClick();
        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(pupilNames(*s.window->treeView()), QStringList({"Trzecia Zosia"}));
        QVERIFY(s.window->currentFilePath().isEmpty());
        QCOMPARE(backups().size(), 1);
    }

    // "Nie" changes nothing; a cancelled file dialog or a file that is no class file leave the
    // working database as it was (the status bar is emptied once the question is answered).
    void grades13ImportThatStopsKeepsTheClass_data() {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QByteArray>("file");  // empty: the dialog is cancelled
        QTest::addColumn<bool>("currentFileKept");
        QTest::newRow("no") << PromptAnswer::No << QByteArray() << true;
        QTest::newRow("cancelled") << PromptAnswer::Yes << QByteArray() << false;
        QTest::newRow("not a class file") << PromptAnswer::Yes << QByteArray("tekst") << false;
    }

    void grades13ImportThatStopsKeepsTheClass() {
        QFETCH(PromptAnswer, answer);
        QFETCH(QByteArray, file);
        QFETCH(bool, currentFileKept);
        Session s;
        const QByteArray before = readFile(workingDatabase());
        s.prompts.expectMessage(kImportQuestion, "Import", PromptIcon::Question,
                                PromptButtons::YesNo, answer);
        if (answer == PromptAnswer::Yes)
            s.prompts.expectOpenFile("Importuj dane z SP 1-3", kLumkFilter,
                                     file.isEmpty() ? QString() : s.file("zly.lumk", file));
        if (!file.isEmpty())
            s.prompts.expectMessageStartingWith("Nie można wczytać pliku:", "Błąd",
                                                PromptIcon::Error, PromptButtons::Ok);
        s.window->ImportStudentsSP13ButtonClick();
        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(readFile(workingDatabase()), before);
        QCOMPARE(pupilNames(*s.window->treeView()), QStringList({"Niezapisana Ola"}));
        QCOMPARE(!s.window->currentFilePath().isEmpty(), currentFileKept);
        QVERIFY(backups().isEmpty());
    }
};

QTEST_MAIN(ImportCommandsTest)
#include "tst_import_commands.moc"
