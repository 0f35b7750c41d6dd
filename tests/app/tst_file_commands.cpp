#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTreeWidget>

#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "app/file_commands.h"
#include "app/program_windows.h"
#include "app/startup.h"
#include "app_fixture.h"
#include "forms/form_registry.h"
#include "forms/pupil_model.h"
#include "pupil_fixture.h"
#include "storage/database.h"
#include "storage/paths.h"
#include "storage/pupil_store.h"
#include "support/damaged_pages.h"
#include "support/file_contents.h"
#include "support/file_size_limit.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

Q_DECLARE_METATYPE(PromptAnswer)
Q_DECLARE_METATYPE(PromptIcon)

namespace {

const QString kFilter = QStringLiteral("Podstawowa 4-6(*.smrk)|*.smrk");
const QString kSaveChanges = QStringLiteral("Czy chcesz zapisać zmiany ?");
const QString kReplaceQuestion =
    QStringLiteral("Wybrany plik już istnieje.\nCzy chcesz zastąpić istniejący plik ?");

QString tmpPath() {
    ErrorStream err;
    return strFunGetTmpFilePath(err);
}

// A class file holding one pupil per display name ("Surname First").
void writeClassFile(const QString& path, const QStringList& pupils) {
    ErrorStream err;
    QVERIFY2(iFunCheckIsStudentExists(err, path, "PESEL", true) >= 0, qPrintable(err.text()));
    for (int i = 0; i < pupils.size(); ++i) {
        const QStringList name = pupils.at(i).split(' ');
        const RecordList records{
            FieldRecord::make("DANE UCZNIA", "Nazwisko_DATA_EDIT", name.value(0)),
            FieldRecord::make("DANE UCZNIA", "Imie_DATA_EDIT", name.value(1)),
        };
        QVERIFY2(bFunSaveCertData(err, path, QStringLiteral("PESEL%1").arg(i + 1), records),
                 qPrintable(err.text()));
    }
}

// What a program that crashed in the middle of writing a class file leaves: the file with part
// of the change in it and, beside it, the journal that undoes it.
void writeHotJournal(const QString& path) {
    const QString source = path + ".zrodlo";
    RecordList records;
    for (int i = 0; i < 200; ++i)
        records << FieldRecord::make("DANE UCZNIA", QString("Pole%1_DATA_EDIT").arg(i), QString(100, 'x'));
    ErrorStream err;
    QVERIFY(iFunCheckIsStudentExists(err, source, "PESEL1", true) == 0);
    QVERIFY(bFunSaveCertData(err, source, "PESEL1", records));
    CppSQLite3DB db;
    db.open(source);
    db.execute("pragma cache_size=1; begin; update PESEL1 set value = value || '" +
               QString(3000, 'y') + "';");
    QVERIFY(QFile::copy(source, path));
    QVERIFY(QFile::copy(source + "-journal", path + "-journal"));
    db.execute("rollback;");
    db.close();
}

QStringList treePupils(const TFGlowna& window) {
    QStringList names;
    for (int i = 0; i < window.treeView()->topLevelItemCount(); ++i)
        names << window.treeView()->topLevelItem(i)->text(0);
    return names;
}

// Everything in the folder of `path` besides the files the test put there.
QStringList folderEntries(const QString& path) {
    return QFileInfo(path).dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                           QDir::Name);
}

QString lastLoggedFunction() {
    ErrorStream err;
    const QString path = strFunGetLogFilePath(err);
    if (!QFileInfo::exists(path)) return QString();
    CppSQLite3DB db;
    db.open(path);
    CppSQLite3Query q = db.query("select fun from `error` order by rowid desc limit 1");
    return q.columnTextOr("fun", QString());
}

// The program after start-up, with a folder for the user's class files.
struct Session {
    TestEnvironment env;
    ScriptedPrompter prompts;
    std::unique_ptr<TFGlowna> window;
    QString files;

    Session() {
        installProgramFiles();
        window = createProgramWindows();
        files = env.dataHome() + "/klasy";
        QDir().mkpath(files);
    }
    QString file(const QString& name) const { return files + '/' + name; }

    // Opens `path` as the open command does, with no question asked.
    void open(const QString& path) {
        prompts.expectOpenFile("Wczytaj plik", kFilter, path);
        window->OtworzPlikToolButtonClick();
    }
};

}  // namespace

// New, open, save and save as of the class file, and the file named on the command line.
class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void openShowsThePupilsAndMakesTheFileWritable_data() {
        QTest::addColumn<bool>("commandLine");
        QTest::newRow("open command") << false;
        QTest::newRow("command line") << true;
    }

    void openShowsThePupilsAndMakesTheFileWritable() {
        QFETCH(bool, commandLine);
        Session s;
        const QString path = s.file("klasa 4a.smrk");
        writeClassFile(path, {"Żuraw Anna", "Adamek Ewa"});
        QVERIFY(QFile(path).setPermissions(QFile::ReadOwner | QFile::ReadGroup));

        if (commandLine) {
            vFunOpenCommandLineFile(*s.window, strFunCommandLineTail({"semrik", path}));
        } else {
            s.open(path);
        }

        QVERIFY_PROMPTS(s.prompts);  // no message about the read-only file
        QCOMPARE(s.window->currentFilePath(), path);
        QCOMPARE(treePupils(*s.window), (QStringList{"Adamek Ewa", "Żuraw Anna"}));
        QCOMPARE(readFile(tmpPath()), readFile(path));
        QVERIFY(QFileInfo(path).isWritable());
        QVERIFY(QFileInfo(tmpPath()).isWritable());
    }

    // A file that is no class file replaces nothing: the class open before keeps its path, its
    // tree, the pupil in the forms and its unsaved working database.
    void refusedOpenKeepsTheClassOpenBefore_data() {
        QTest::addColumn<QString>("chosen");  // what the user picks, in the class folder
        QTest::addColumn<QString>("reason");

        QTest::newRow("a PDF") << "wykaz.pdf"
                               << "Plik nie jest prawidłowym plikiem świadectw (SQLITE_NOTADB)";
        QTest::newRow("a damaged class file")
            << "uszkodzona.smrk" << "Plik nie jest prawidłowym plikiem świadectw (SQLITE_CORRUPT)";
        QTest::newRow("left half-written by another program")
            << "z_dziennikiem.smrk"
            << "Zapis pliku nie został dokończony (obok leży jego dziennik z końcówką „-journal”); "
               "nie odczytano go, by nie pokazać niepełnych danych (SQLITE_READONLY_ROLLBACK)";
        QTest::newRow("locked by another program")
            << "zablokowana.smrk" << "Plik jest zablokowany przez inny program (SQLITE_BUSY)";
        QTest::newRow("a folder") << "folder.smrk" << "To jest katalog, a nie plik";
        QTest::newRow("a file that is gone") << "brak.smrk" << "Plik nie istnieje";
    }

    void refusedOpenKeepsTheClassOpenBefore() {
        QFETCH(QString, chosen);
        QFETCH(QString, reason);
        Session s;
        const QString previous = s.file("stara.smrk");
        writeClassFile(previous, {"Lis Adam"});
        s.open(previous);
        clickNode(*s.window, s.window->treeView()->topLevelItem(0));
        ErrorStream err;  // an unsaved pupil
        QVERIFY(bFunSaveCertData(err, tmpPath(), "PESEL9",
                                 {FieldRecord::make("DANE UCZNIA", "Nazwisko_DATA_EDIT", "Maj"),
                                  FieldRecord::make("DANE UCZNIA", "Imie_DATA_EDIT", "Ewa")}));
        s.window->bFunReloadStudentList();
        s.window->state().dirty = true;
        const QByteArray workBytes = readFile(tmpPath());
        QStringList dataEntries = folderEntries(tmpPath());
        dataEntries.removeAll(kLogFileName);  // the refusal is logged

        const QString path = s.file(chosen);
        CppSQLite3DB locker;  // another program's connection, for as long as the test runs
        if (chosen.endsWith(".pdf")) {
            writeFile(path, "%PDF-1.4\n" + QByteArray(4096, 'x'));
        } else if (chosen.startsWith("uszkodzona")) {
            writeClassFile(path, {"Maj Ewa"});
            QByteArray bytes = readFile(path);
            bytes.replace(100, 3996, QByteArray(3996, '\xff'));  // the catalogue's page
            writeFile(path, bytes);
        } else if (chosen.startsWith("zablokowana")) {
            writeClassFile(path, {"Maj Ewa"});
            locker.open(path);
            locker.execute("begin exclusive;");
        } else if (chosen.startsWith("z_dziennikiem")) {
            writeHotJournal(path);
        } else if (chosen.startsWith("folder")) {
            QVERIFY(QDir().mkpath(path));
        }
        s.prompts.expectMessage(kSaveChanges, "", PromptIcon::None, PromptButtons::YesNo,
                                PromptAnswer::No);
        s.prompts.expectOpenFile("Wczytaj plik", kFilter, path);
        s.prompts.expectMessage("Nie można wczytać pliku:\n" + path + "\n\n" + reason +
                                    ".\n\nDane świadectw nie zostały wczytane; otwarte dane "
                                    "pozostają bez zmian.",
                                "Błąd", PromptIcon::Error, PromptButtons::Ok);

        s.window->OtworzPlikToolButtonClick();

        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.window->currentFilePath(), previous);
        QCOMPARE(treePupils(*s.window), (QStringList{"Lis Adam", "Maj Ewa"}));
        QCOMPARE(readFile(tmpPath()), workBytes);
        QCOMPARE(s.window->forms().pupil().text(PupilModel::kSurname), QString("Lis"));
        QCOMPARE(s.window->forms().pupilTable(), QString("PESEL1"));
        QVERIFY(s.window->state().dirty);
        QStringList entriesAfter = folderEntries(tmpPath());
        entriesAfter.removeAll(kLogFileName);
        QCOMPARE(entriesAfter, dataEntries);  // no copy left behind
    }

    // Once the chosen file proved to be a class file, the working database is replaced; when
    // that fails, the window shows a new, empty file rather than a class it no longer holds.
    void failedReplacementLeavesNoFileOpen() {
        Session s;
        const QString previous = s.file("stara.smrk");
        writeClassFile(previous, {"Lis Adam"});
        s.open(previous);
        clickNode(*s.window, s.window->treeView()->topLevelItem(0));
        const QString chosen = s.file("nowa.smrk");
        writeClassFile(chosen, {"Maj Ewa"});
        QVERIFY(QFile::remove(tmpPath()));
        QVERIFY(QDir().mkpath(tmpPath() + "/inside"));  // the working database cannot go
        s.prompts.expectOpenFile("Wczytaj plik", kFilter, chosen);
        s.prompts.expectMessage("Błąd podczas próby kasowania pliku\n" + tmpPath() +
                                    "\nKod błędu: " + QString::number(ENOTEMPTY),
                                "Błąd", PromptIcon::Error, PromptButtons::Ok);

        s.window->OtworzPlikToolButtonClick();

        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.window->currentFilePath(), QString());
        QCOMPARE(s.window->treeView()->topLevelItemCount(), 0);
        QVERIFY(!QFileInfo(tmpPath()).isFile());
        QCOMPARE(s.window->forms().pupil().text(PupilModel::kSurname), QString());
        QCOMPARE(s.window->forms().pupilTable(), QString());
    }

    // Pupils the program cannot read are named once per open; they stay in the file, and saving
    // the class keeps them.
    void unreadablePupilsAreNamedAndKept() {
        Session s;
        const QString path = s.file("4a.smrk");
        writeClassFile(path, {"Lis Adam", "Kos Ewa"});
        // Damage only the engine's own check finds: every row of Kos Ewa still reads.
        damageTablePage(path, "PESEL2", 1, QByteArray("\xff\xf0", 2));
        {
            CppSQLite3DB db;  // a pupil table that lost its value column
            db.open(path);
            db.execute("create table PESEL9( id TEXT, comp_name TEXT );"
                       "insert into PESEL9 values( 'DANE UCZNIA', 'Nazwisko_DATA_EDIT' );");
            db.close();
        }
        s.prompts.expectOpenFile("Wczytaj plik", kFilter, path);
        s.prompts.expectMessage(
            "Plik\n" + path +
                "\nzawiera dane uczniów, których program nie może odczytać ani pokazać na "
                "liście:\n\n- tabela PESEL2: uszkodzona zawartość tabeli (SQLITE_CORRUPT)\n- tabela "
                "PESEL9: tabela nie ma kolumn danych ucznia (CPPSQLITE_ERROR)\n\nTe dane pozostają "
                "w pliku bez "
                "zmian, a zapisanie pliku ich nie usuwa.",
            "Uwaga", PromptIcon::Warning, PromptButtons::Ok);

        s.window->OtworzPlikToolButtonClick();
        QCOMPARE(treePupils(*s.window), QStringList{"Lis Adam"});
        s.window->bFunReloadStudentList();  // a later reload, as after a save, warns no more
        s.window->state().dirty = true;
        s.window->Zapisz1Click();

        QVERIFY_PROMPTS(s.prompts);
        ErrorStream err;
        QStringList tables;
        QVERIFY(bFunGetTableList(err, path, tables));
        QVERIFY(tables.contains("PESEL9"));
        CppSQLite3DB db;
        db.open(path);
        QCOMPARE(db.scalar("select count(*) from PESEL9"), 1);
    }

    void saveWithoutFileRunsSaveAs_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("file chosen") << false;
        QTest::newRow("dialog cancelled") << true;
    }

    void saveWithoutFileRunsSaveAs() {
        QFETCH(bool, cancel);
        Session s;
        writeClassFile(tmpPath(), {"Lis Adam"});  // a new file with one pupil added
        s.window->state().dirty = true;
        const QString chosen = s.file("nowy.smrk");
        s.prompts.expectSaveFile("Zapisz plik", kFilter, cancel ? QString() : chosen)
            .withFileDefaults("smrk", "nowy");

        s.window->Zapisz1Click();

        QVERIFY_PROMPTS(s.prompts);
        // A cancelled save leaves the work unsaved, so closing must still offer to save it.
        QCOMPARE(s.window->state().dirty, cancel);
        QCOMPARE(s.window->currentFilePath(), cancel ? QString() : chosen);
        QCOMPARE(QFileInfo::exists(chosen), !cancel);
        if (!cancel) QCOMPARE(readFile(chosen), readFile(tmpPath()));
    }

    void saveAsOntoAnExistingFileAsks_data() {
        QTest::addColumn<bool>("replace");
        QTest::newRow("Yes replaces it") << true;
        QTest::newRow("No leaves both files") << false;
    }

    void saveAsOntoAnExistingFileAsks() {
        QFETCH(bool, replace);
        Session s;
        const QString current = s.file("4a.smrk");
        const QString other = s.file("4b.smrk");
        writeClassFile(current, {"Lis Adam"});
        writeClassFile(other, {"Maj Ewa", "Łoś Jan"});
        const QByteArray currentBytes = readFile(current);
        const QByteArray otherBytes = readFile(other);
        s.open(current);
        s.window->state().dirty = true;
        s.prompts.expectSaveFile("Zapisz plik", kFilter, other);
        s.prompts.expectMessage(kReplaceQuestion, "Zapisz", PromptIcon::Question,
                                PromptButtons::YesNo,
                                replace ? PromptAnswer::Yes : PromptAnswer::No);

        s.window->Zapiszjako1Click();

        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(readFile(current), currentBytes);
        QCOMPARE(readFile(other), replace ? currentBytes : otherBytes);
        QCOMPARE(s.window->currentFilePath(), replace ? other : current);
        QVERIFY(s.window->state().dirty);  // save as leaves the flag alone
    }

    void saveAsRightAfterNewWritesAnEmptyClass() {
        Session s;
        const QString previous = s.file("stara.smrk");
        writeClassFile(previous, {"Lis Adam"});
        s.open(previous);
        s.window->NowyPlikToolButtonClick();
        QVERIFY(!QFileInfo::exists(tmpPath()));

        const QString empty = s.file("pusta.smrk");
        s.prompts.expectSaveFile("Zapisz plik", kFilter, empty);
        s.window->Zapiszjako1Click();
        QCOMPARE(QFileInfo(empty).size(), 0);
        QCOMPARE(s.window->currentFilePath(), empty);

        s.open(previous);
        s.open(empty);
        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.window->currentFilePath(), empty);
        QCOMPARE(s.window->treeView()->topLevelItemCount(), 0);
    }

    void newAsksAboutUnsavedWork_data() {
        QTest::addColumn<bool>("withCurrentFile");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<bool>("cleared");

        QTest::newRow("Yes saves over the current file, then clears")
            << true << PromptAnswer::Yes << true;
        QTest::newRow("Yes without a file, save as cancelled: everything stays")
            << false << PromptAnswer::Yes << false;
        QTest::newRow("No clears without saving") << true << PromptAnswer::No << true;
    }

    void newAsksAboutUnsavedWork() {
        QFETCH(bool, withCurrentFile);
        QFETCH(PromptAnswer, answer);
        QFETCH(bool, cleared);
        Session s;
        const QString current = s.file("4a.smrk");
        writeClassFile(current, {"Lis Adam"});
        const QByteArray savedBytes = readFile(current);
        if (withCurrentFile) {
            s.open(current);
        } else {
            writeClassFile(tmpPath(), {"Lis Adam"});
            s.window->bFunReloadStudentList();
        }
        // An unsaved pupil.
        ErrorStream err;
        QVERIFY(bFunSaveCertData(err, tmpPath(), "PESEL9",
                                 {FieldRecord::make("DANE UCZNIA", "Nazwisko_DATA_EDIT", "Maj"),
                                  FieldRecord::make("DANE UCZNIA", "Imie_DATA_EDIT", "Ewa")}));
        s.window->bFunReloadStudentList();
        const QByteArray workBytes = readFile(tmpPath());
        s.window->forms().pupil().setText(PupilModel::kSurname, "Maj");
        s.window->state().dirty = true;

        s.prompts.expectMessage(kSaveChanges, "Edycja", PromptIcon::Question, PromptButtons::YesNo,
                                answer);
        if (!withCurrentFile) s.prompts.expectSaveFile("Zapisz plik", kFilter, QString());

        s.window->NowyPlikToolButtonClick();

        QVERIFY_PROMPTS(s.prompts);
        QVERIFY(s.window->state().dirty);  // new leaves the flag as it was
        const bool saved = withCurrentFile && answer == PromptAnswer::Yes;
        QCOMPARE(readFile(current), saved ? workBytes : savedBytes);
        if (cleared) {
            QCOMPARE(s.window->currentFilePath(), QString());
            QCOMPARE(s.window->treeView()->topLevelItemCount(), 0);
            QVERIFY(!QFileInfo::exists(tmpPath()));
            QCOMPARE(s.window->forms().pupil().text(PupilModel::kSurname), QString());
        } else {
            QCOMPARE(s.window->currentFilePath(), QString());
            QCOMPARE(treePupils(*s.window), (QStringList{"Lis Adam", "Maj Ewa"}));
            QCOMPARE(readFile(tmpPath()), workBytes);
            QCOMPARE(s.window->forms().pupil().text(PupilModel::kSurname), QString("Maj"));
        }
    }

    void openWithUnsavedWorkKeepsItWhenTheSaveIsCancelled() {
        Session s;
        writeClassFile(tmpPath(), {"Lis Adam"});  // a new file with one pupil added
        s.window->bFunReloadStudentList();
        s.window->state().dirty = true;
        const QByteArray workBytes = readFile(tmpPath());

        s.prompts.expectMessage(kSaveChanges, "", PromptIcon::None, PromptButtons::YesNo,
                                PromptAnswer::Yes);
        s.prompts.expectSaveFile("Zapisz plik", kFilter, QString());  // cancelled: no open dialog

        s.window->OtworzPlikToolButtonClick();

        QVERIFY_PROMPTS(s.prompts);
        QVERIFY(s.window->state().dirty);
        QCOMPARE(treePupils(*s.window), QStringList{"Lis Adam"});
        QCOMPARE(readFile(tmpPath()), workBytes);
    }

    void openWithUnsavedWorkSavesBeforeTheDialog() {
        Session s;
        const QString current = s.file("4a.smrk");
        writeClassFile(current, {"Lis Adam"});
        s.open(current);
        ErrorStream err;
        QVERIFY(bFunSaveCertData(err, tmpPath(), "PESEL9",
                                 {FieldRecord::make("DANE UCZNIA", "Nazwisko_DATA_EDIT", "Maj"),
                                  FieldRecord::make("DANE UCZNIA", "Imie_DATA_EDIT", "Ewa")}));
        s.window->bFunReloadStudentList();
        s.window->state().dirty = true;

        s.prompts.expectMessage(kSaveChanges, "", PromptIcon::None, PromptButtons::YesNo,
                                PromptAnswer::Yes);
        s.prompts.expectOpenFile("Wczytaj plik", kFilter, QString()).whileShown([&] {
            QCOMPARE(readFile(current), readFile(tmpPath()));
        });

        s.window->OtworzPlikToolButtonClick();

        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(s.window->currentFilePath(), current);
        QCOMPARE(treePupils(*s.window), (QStringList{"Lis Adam", "Maj Ewa"}));
        QVERIFY(!s.window->state().dirty);
    }

    void failingSaveKeepsThePreviousFile_data() {
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");  // {tmp} and {target} stand for the paths
        QTest::addColumn<QString>("caption");
        QTest::addColumn<PromptIcon>("icon");
        QTest::addColumn<QString>("loggedAs");

        const QString saveFailure =
            "Błąd kopiowania pliku z\n{tmp}\ndo:\n{target}\nKod błędu: %1"
            "\n\nDane nie zostały zapisane.";
        const QString saveAsFailure =
            "Funkcja: vFunZapiszNowyPlikSwiadectw()\n\nBłąd podczas próby kopiowania pliku\nz\n"
            "{tmp}\ndo\n{target}\nKod błędu: %1\n\nDane nie zostały zapisane.";
        QTest::newRow("save, working database missing")
            << false << "source missing" << saveFailure.arg(ENOENT) << "Błąd" << PromptIcon::Error
            << "bFunZapiszIstniejacyPlikSwiadectw()";
        QTest::newRow("save, disk full midway")
            << false << "disk full" << saveFailure.arg(EFBIG) << "Błąd" << PromptIcon::Error
            << "bFunZapiszIstniejacyPlikSwiadectw()";
        QTest::newRow("save as over a file, disk full midway")
            << true << "disk full" << saveAsFailure.arg(EFBIG) << "Atrybuty" << PromptIcon::Warning
            << "bFunZapiszNowyPlikSwiadectw()";
    }

    void failingSaveKeepsThePreviousFile() {
        QFETCH(bool, saveAs);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QFETCH(PromptIcon, icon);
        QFETCH(QString, loggedAs);
        Session s;
        const QString current = s.file("4a.smrk");
        const QString other = s.file("4b.smrk");
        writeClassFile(current, {"Lis Adam"});
        writeClassFile(other, {"Maj Ewa"});
        s.open(current);
        const QString target = saveAs ? other : current;
        const QByteArray targetBytes = readFile(target);
        const QStringList entriesBefore = folderEntries(target);

        if (fault == "source missing") {
            QVERIFY(QFile::remove(tmpPath()));
        } else {
            writeFile(tmpPath(), QByteArray(200 * 1024, 'x'));  // larger than the disk allows
        }
        message.replace("{tmp}", tmpPath()).replace("{target}", target);
        if (saveAs) {
            s.prompts.expectSaveFile("Zapisz plik", kFilter, target);
            s.prompts.expectMessage(kReplaceQuestion, "Zapisz", PromptIcon::Question,
                                    PromptButtons::YesNo, PromptAnswer::Yes);
        }
        s.prompts.expectMessage(message, caption, icon, PromptButtons::Ok);

        {
            const FileSizeLimit limit(100 * 1024);
            if (saveAs) {
                s.window->Zapiszjako1Click();
            } else {
                s.window->Zapisz1Click();
            }
        }

        QVERIFY_PROMPTS(s.prompts);
        QCOMPARE(readFile(target), targetBytes);
        QCOMPARE(folderEntries(target), entriesBefore);
        QCOMPARE(s.window->currentFilePath(), current);
        QCOMPARE(lastLoggedFunction(), loggedAs);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "tst_file_commands.moc"
