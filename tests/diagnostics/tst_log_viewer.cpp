#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

#include "app/app_fixture.h"
#include "app/program_windows.h"
#include "diagnostics/log_window.h"
#include "diagnostics/mail_client.h"
#include "storage/error_log.h"
#include "storage/paths.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

namespace {

// Writes one log row of `kind` whose function name is `fun`, a second later than the last.
void writeLogRow(int kind, const QString& fun) {
    static int second = 0;
    const QDateTime when = QDateTime(QDate(2014, 6, 9), QTime(8, 0, 0), Qt::UTC).addSecs(++second);
    vFunSetLogClock([when] { return when; });
    ErrorStream err;
    err << "Błąd w " << fun;
    vFunWriteLog(err, fun, kind);
    vFunSetLogClock({});
}

// What the list shows, one "function|information" per row, top to bottom.
QStringList shownRows(const TFLogi& window) {
    QStringList rows;
    const QTreeWidget* list = window.findChild<QTreeWidget*>(QStringLiteral("LogsListView"));
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        rows << row->text(1) + u'|' + row->text(2);
    }
    return rows;
}

QString shown(const QString& fun) {
    return fun + QStringLiteral("|Błąd w ") + fun;
}

QString logPath() {
    ErrorStream err;
    return strFunGetLogFilePath(err);
}

struct MailCall {
    QString program;
    QStringList arguments;
};

// Puts a stand-in `xdg-email` alone on PATH for the life of this object.
class MailClientOnPath {
public:
    // `script` is the stand-in's shell text; none: no xdg-email at all.
    explicit MailClientOnPath(const QByteArray& script) : m_previousPath(qgetenv("PATH")) {
        if (!script.isEmpty()) {
            QFile stub(m_dir.filePath(QStringLiteral("xdg-email")));
            if (stub.open(QIODevice::WriteOnly)) stub.write(script);
            stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(m_dir.path()));
    }
    ~MailClientOnPath() { qputenv("PATH", m_previousPath); }
    MailClientOnPath(const MailClientOnPath&) = delete;
    MailClientOnPath& operator=(const MailClientOnPath&) = delete;

    QString recordPath() const { return m_dir.filePath(QStringLiteral("arguments.txt")); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previousPath;
};

}  // namespace

// "Logi programu": the error log's rows and the mail that sends the log to support.
class TestLogViewer : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { vFunSetMailClientRunner({}); }

    // Each step before a showing: "0:fun" or "1:fun" writes a row of that kind, "remove" deletes
    // the log file.
    void listIsReadAtEachShowing_data() {
        QTest::addColumn<QStringList>("beforeFirst");
        QTest::addColumn<QStringList>("firstShown");
        QTest::addColumn<QStringList>("beforeSecond");
        QTest::addColumn<QStringList>("secondShown");

        QTest::newRow("no log") << QStringList() << QStringList() << QStringList() << QStringList();
        QTest::newRow("errors oldest first, each once, info rows never")
            << QStringList{"0:bFunCopyFile()", "1:info()", "0:bFunSaveCertData()"}
            << QStringList{shown("bFunCopyFile()"), shown("bFunSaveCertData()")}
            << QStringList{"0:bFunOpen()", "1:info()"}
            << QStringList{shown("bFunCopyFile()"), shown("bFunSaveCertData()"), shown("bFunOpen()")};
        QTest::newRow("log removed between showings")
            << QStringList{"0:bFunCopyFile()"} << QStringList{shown("bFunCopyFile()")}
            << QStringList{"remove"} << QStringList();
    }
    void listIsReadAtEachShowing() {
        QFETCH(QStringList, beforeFirst);
        QFETCH(QStringList, firstShown);
        QFETCH(QStringList, beforeSecond);
        QFETCH(QStringList, secondShown);
        TestEnvironment env(false);
        ScriptedPrompter prompts;  // no message, whatever the log holds
        ErrorStream err;
        TFLogi window(err);
        const auto prepare = [](const QStringList& steps) {
            for (const QString& step : steps) {
                if (step == QLatin1String("remove")) {
                    QVERIFY(QFile::remove(logPath()));
                } else {
                    writeLogRow(step.section(u':', 0, 0).toInt(), step.section(u':', 1));
                }
            }
        };

        prepare(beforeFirst);
        window.show();
        QCOMPARE(shownRows(window), firstShown);
        window.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        QVERIFY(!window.isVisible());
        prepare(beforeSecond);
        window.show();
        QCOMPARE(shownRows(window), secondShown);
        QVERIFY_PROMPTS(prompts);
    }

    // The Help menu's entry opens the viewer, modal, over the log as it is then.
    void menuEntryOpensViewer() {
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        const std::unique_ptr<TFGlowna> main = createProgramWindows();
        auto* logs = main->programWindow<TFLogi>();
        QVERIFY(logs);
        writeLogRow(kLogError, QStringLiteral("bFunCopyFile()"));

        bool wasModal = false;
        QStringList rows;
        QTimer::singleShot(0, logs, [&] {
            wasModal = QApplication::activeModalWidget() == logs;
            rows = shownRows(*logs);
            logs->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        QAction* entry = mainMenuAction(*main, QStringLiteral("Logi programu"));
        QVERIFY(entry);
        entry->trigger();

        QVERIFY(wasModal);
        QVERIFY(!logs->isVisible());
        QCOMPARE(rows, QStringList{shown(QStringLiteral("bFunCopyFile()"))});
        QVERIFY_PROMPTS(prompts);
    }

    // "Wyślij plik z logami": the log to the configured address through the mail client; any
    // failure is the one message, and nothing is asked of a mail client without a log to send.
    void sendButton_data() {
        QTest::addColumn<bool>("logExists");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("clientTakesIt");
        QTest::addColumn<bool>("clientCalled");
        QTest::addColumn<bool>("message");

        QTest::newRow("mail client takes it") << true << "pomoc@orvento.example" << true << true << false;
        QTest::newRow("mail client fails") << true << "pomoc@orvento.example" << false << true << true;
        QTest::newRow("no log yet") << false << "pomoc@orvento.example" << true << false << true;
        QTest::newRow("no support address") << true << " " << true << false << true;
    }
    void sendButton() {
        QFETCH(bool, logExists);
        QFETCH(QString, address);
        QFETCH(bool, clientTakesIt);
        QFETCH(bool, clientCalled);
        QFETCH(bool, message);
        TestEnvironment env;
        ScriptedPrompter prompts;
        installProgramFiles();
        writeSetting(QStringLiteral("support_email"), address);
        if (logExists) writeLogRow(kLogError, QStringLiteral("bFunCopyFile()"));
        QList<MailCall> calls;
        vFunSetMailClientRunner([&](const QString& program, const QStringList& arguments) {
            calls.append({program, arguments});
            return clientTakesIt;
        });
        if (message) {
            prompts.expectMessage(QStringLiteral("Błąd podczas próby wysłania maila"), QStringLiteral("Błąd"),
                                  PromptIcon::Error, PromptButtons::Ok);
        }
        ErrorStream err;
        TFLogi window(err);
        window.show();

        window.findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();

        QVERIFY_PROMPTS(prompts);
        QCOMPARE(calls.size(), clientCalled ? 1 : 0);
        if (clientCalled) {
            QCOMPARE(calls.first().program, QStringLiteral("xdg-email"));
            QCOMPARE(calls.first().arguments,
                     (QStringList{"--utf8", "--subject", "Logi", "--body", "Logi programu Orvento-Trevan",
                                  "--attach", logPath(), "pomoc@orvento.example"}));
        }
        QVERIFY(window.isVisible());
    }

    // The real mail client runner, against a stand-in xdg-email: its exit code decides, and a
    // program that is missing or cannot start is a failure, not a sent mail.
    void mailClientOutcome_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("attachmentName");
        QTest::addColumn<bool>("sent");

        const QByteArray recording = "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"${0%/*}/arguments.txt\"\n";
        QTest::newRow("takes the message") << recording + "exit 0\n" << "logs.sqdb" << true;
        QTest::newRow("attachment under another name") << recording + "exit 0\n" << "logi.sqdb" << true;
        QTest::newRow("fails") << recording + "exit 3\n" << "logs.sqdb" << false;
        QTest::newRow("killed") << QByteArray("#!/bin/sh\nkill -9 $$\n") << "logs.sqdb" << false;
        QTest::newRow("cannot start") << QByteArray("#!/nonexistent/interpreter\n") << "logs.sqdb" << false;
        QTest::newRow("missing") << QByteArray() << "logs.sqdb" << false;
    }
    void mailClientOutcome() {
        QFETCH(QByteArray, script);
        QFETCH(QString, attachmentName);
        QFETCH(bool, sent);
        TestEnvironment env(false);
        writeLogRow(kLogError, QStringLiteral("bFunCopyFile()"));
        const MailClientOnPath client(script);

        QCOMPARE(bFunSendMail(QStringLiteral("Logi"), QStringLiteral("pomoc@orvento.example"),
                              QStringLiteral("Logi programu"), logPath(), attachmentName),
                 sent);

        if (!sent) return;
        QFile record(client.recordPath());
        QVERIFY(record.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList arguments = QString::fromUtf8(record.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(arguments.size(), 8);
        QCOMPARE(arguments.mid(0, 6), (QStringList{"--utf8", "--subject", "Logi", "--body", "Logi programu", "--attach"}));
        QCOMPARE(arguments.last(), QStringLiteral("pomoc@orvento.example"));
        const QString attached = arguments.at(6);
        QCOMPARE(QFileInfo(attached).fileName(), attachmentName);
        QFile original(logPath());
        QFile copy(attached);
        QVERIFY(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), original.readAll());
        if (attached != logPath()) QDir(QFileInfo(attached).path()).removeRecursively();
    }
};

QTEST_MAIN(TestLogViewer)
#include "tst_log_viewer.moc"
