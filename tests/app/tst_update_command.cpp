#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include "app/main_window.h"
#include "app/startup.h"
#include "app/update_command.h"
#include "app_fixture.h"
#include "diagnostics/update_check.h"
#include "diagnostics/update_download.h"
#include "diagnostics/update_server.h"
#include "diagnostics/update_window.h"
#include "forms/shell_open.h"
#include "support/loopback_http_server.h"
#include "support/scripted_prompter.h"
#include "support/test_environment.h"

Q_DECLARE_METATYPE(PromptIcon)
Q_DECLARE_METATYPE(PromptButtons)

namespace {

constexpr int kGenerousWaitMs = 30000;
const QByteArray kVersionPath = "/orvento/semrik/program/2014/semrik_wersja.bin";
const QByteArray kInstallerPath = "/orvento/semrik/program/2014/semriksetup.exe";

const QString kOffer = QStringLiteral(
    "Aktualna wersja programu to: 1.8.0\nWersja dostępna na serwerze to: 1.9.0\n\n"
    "Czy chcesz pobrać nową wersje programu ?");
const QString kNothingNewer = QStringLiteral(
    "Aktualna wersja programu to: 1.8.0\nWersja dostępna na serwerze to: 1.8.0\n\n"
    "Brak nowej wersji do pobrania.");
const QString kNoConnection = QStringLiteral("Błąd podczas próby połączenia z internetem");
const QString kSaveFirst = QStringLiteral(
    "Przed aktualizacją programu zapisz dane\a a następnie uruchom aktualizację.\n"
    "Pomoc->Sprawdź czy jest nowa wersja");

QByteArray versionFile(qint32 major, qint32 minor, qint32 release) {
    QByteArray bytes(12, '\0');
    qToLittleEndian(major, bytes.data());
    qToLittleEndian(minor, bytes.data() + 4);
    qToLittleEndian(release, bytes.data() + 8);
    return bytes;
}

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// Replaces the desktop's default handler for the lifetime of the object.
class ShellSpy {
public:
    explicit ShellSpy(bool works = true) {
        vFunSetShellOpenHandler([this, works](const QUrl& url) {
            opened << url;
            return works;
        });
    }
    ~ShellSpy() { vFunSetShellOpenHandler({}); }
    QList<QUrl> opened;
};

// A main window with its update window, the settings pointing at a loopback server.
struct UpdateWorld {
    TestEnvironment env;
    LoopbackHttpServer server;
    TFGlowna window;
    TFAktualizacja* update = new TFAktualizacja(&window);

    UpdateWorld() {
        installProgramFiles();
        writeSetting("import_alert", 0);
        writeSetting("update_server_scheme", QStringLiteral("http"));
        writeSetting("update_server_host", server.hostAndPort());
    }
    ~UpdateWorld() { vFunSetUpdateTimeout(std::chrono::milliseconds(0)); }

    QString installerFile() const { return env.mainDir() + QStringLiteral("/aktualizacja/nowy.exe"); }
    template <class Widget>
    Widget* part(const char* name) const {
        return update->findChild<Widget*>(QString::fromLatin1(name));
    }
};

bool runCheck(TFGlowna& window, bool automatic) {
    UpdateCheck* check = vFunUpdateCheck(window, automatic);
    QSignalSpy finished(check, &UpdateCheck::finished);
    return finished.wait(kGenerousWaitMs);
}

// What the update window showed once its download had ended.
struct Shown {
    QString own, offered, status, button, link;
    int gauge = -1, gaugeMaximum = -1;
};

Shown whenDownloadEnded(const UpdateWorld& world) {
    auto* close = world.part<QPushButton>("btnClose");
    if (!QTest::qWaitFor([close] { return close->isEnabled(); }, kGenerousWaitMs)) return Shown{};
    return Shown{world.part<QLabel>("AWersjaLabel")->text(),    world.part<QLabel>("NWersjaLabel")->text(),
                 world.part<QLineEdit>("editStatus")->text(),   close->text(),
                 world.part<QLineEdit>("editDownloadLink")->text(),
                 world.part<QProgressBar>("Postep")->value(), world.part<QProgressBar>("Postep")->maximum()};
}

}  // namespace

class UpdateCommandTest : public QObject {
    Q_OBJECT

private slots:
    void checkAnswers_data();
    void checkAnswers();
    void unsavedChangesKeepTheDownloadClosed();
    void acceptedOfferDownloadsAndInstalls_data();
    void acceptedOfferDownloadsAndInstalls();
    void checksumMismatchIsNeverInstallable();
    void startupChecksQuietly();
    void silentServerDoesNotHoldTheWindow();
};

void UpdateCommandTest::checkAnswers_data() {
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<int>("status");  // 0: nobody listens
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");  // "": nothing is shown
    QTest::addColumn<QString>("caption");
    QTest::addColumn<PromptIcon>("icon");
    QTest::addColumn<PromptButtons>("buttons");

    for (const bool automatic : {false, true}) {
        const char* mode = automatic ? "automatic" : "manual";
        QTest::addRow("%s, 1.9.0 offered and declined", mode)
            << automatic << 200 << versionFile(1, 9, 0) << kOffer << "Nowa wersja" << PromptIcon::Question
            << PromptButtons::YesNo;
        QTest::addRow("%s, 404", mode) << automatic << 404 << versionFile(1, 9, 0) << "" << ""
                                       << PromptIcon::None << PromptButtons::Ok;
        QTest::addRow("%s, 500", mode) << automatic << 500 << versionFile(1, 9, 0) << "" << ""
                                       << PromptIcon::None << PromptButtons::Ok;
    }
    QTest::newRow("manual, 1.8.0") << false << 200 << versionFile(1, 8, 0) << kNothingNewer << ""
                                   << PromptIcon::None << PromptButtons::Ok;
    QTest::newRow("automatic, 1.8.0") << true << 200 << versionFile(1, 8, 0) << "" << ""
                                      << PromptIcon::None << PromptButtons::Ok;
    QTest::newRow("manual, no server") << false << 0 << QByteArray() << kNoConnection << "Aktualizacja"
                                       << PromptIcon::Warning << PromptButtons::Ok;
    QTest::newRow("automatic, no server") << true << 0 << QByteArray() << "" << ""
                                          << PromptIcon::None << PromptButtons::Ok;
}

// Declining, nothing newer, 404/500 and no connection: at most one box, and no download.
void UpdateCommandTest::checkAnswers() {
    QFETCH(bool, automatic);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(PromptIcon, icon);
    QFETCH(PromptButtons, buttons);
    UpdateWorld world;
    if (status == 0) writeSetting("update_server_host", QStringLiteral("127.0.0.1:%1").arg(closedPort()));
    world.server.answer(kVersionPath, status, body);
    ScriptedPrompter prompts;
    if (!text.isEmpty())
        prompts.expectMessage(text, caption, icon, buttons,
                              buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok);

    QVERIFY(runCheck(world.window, automatic));
    QVERIFY_PROMPTS(prompts);
    QVERIFY(!world.window.aktualizacjaTimer()->isActive());
}

void UpdateCommandTest::unsavedChangesKeepTheDownloadClosed() {
    UpdateWorld world;
    world.server.answer(kVersionPath, 200, versionFile(1, 9, 0));
    world.window.state().dirty = true;
    ScriptedPrompter prompts;
    prompts.expectMessage(kOffer, "Nowa wersja", PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::Yes);
    prompts.expectMessage(kSaveFirst, "Zapisz dane", PromptIcon::None, PromptButtons::Ok);

    QVERIFY(runCheck(world.window, false));
    QVERIFY_PROMPTS(prompts);
    QVERIFY(!world.window.aktualizacjaTimer()->isActive());
    QVERIFY(!world.update->isVisible());
    QCOMPARE(world.server.requestedPaths(), QList<QByteArray>{kVersionPath});
}

void UpdateCommandTest::acceptedOfferDownloadsAndInstalls_data() {
    QTest::addColumn<bool>("handlerWorks");
    QTest::newRow("installer handed over") << true;
    QTest::newRow("no handler for it") << false;
}

// Yes without unsaved changes: the timer shows the update window, which downloads the file;
// "Zainstaluj" hands it over and the program ends without its closing questions.
void UpdateCommandTest::acceptedOfferDownloadsAndInstalls() {
    QFETCH(bool, handlerWorks);
    UpdateWorld world;
    const QByteArray installer(250, '\n');  // written byte for byte, no line ends translated
    world.server.answer(kVersionPath, 200, versionFile(1, 9, 0));
    world.server.answer(kInstallerPath, 200, installer);
    ShellSpy shell(handlerWorks);
    ScriptedPrompter prompts;
    prompts.expectMessage(kOffer, "Nowa wersja", PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::Yes);

    QVERIFY(runCheck(world.window, false));
    QVERIFY(world.window.aktualizacjaTimer()->isActive());

    Shown shown;
    QString statusAfterInstall;
    QTimer::singleShot(0, world.update, [&] {
        shown = whenDownloadEnded(world);
        world.part<QPushButton>("btnClose")->click();
        statusAfterInstall = world.part<QLineEdit>("editStatus")->text();
        // A window left open (the handler failed) is closed with its button, now "Zamknij".
        if (world.update->isVisible()) world.part<QPushButton>("btnClose")->click();
        if (world.update->isVisible()) world.update->done(QDialog::Rejected);
    });
    world.window.AktualizacjaTimerTimer();

    QVERIFY(!world.window.aktualizacjaTimer()->isActive());
    QCOMPARE(shown.own, QStringLiteral("1.8.0"));
    QCOMPARE(shown.offered, QStringLiteral("1.9.0"));
    QCOMPARE(shown.button, QStringLiteral("Zainstaluj"));
    QCOMPARE(shown.status, QStringLiteral("Pobieranie nowej wersji programu"));
    QCOMPARE(shown.gauge, 250);
    QCOMPARE(shown.gaugeMaximum, 250);
    QCOMPARE(shown.link, world.server.url(kInstallerPath).toString());
    QFile file(world.installerFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), installer);
    QCOMPARE(shell.opened, QList<QUrl>{QUrl::fromLocalFile(world.installerFile())});
    QCOMPARE(world.window.hasClosed(), handlerWorks);
    QCOMPARE(world.window.state().quit, handlerWorks);
    if (!handlerWorks)
        QCOMPARE(statusAfterInstall, "Nie udało się uruchomić instalatora: " + world.installerFile());
    QVERIFY_PROMPTS(prompts);  // no closing questions
}

void UpdateCommandTest::checksumMismatchIsNeverInstallable() {
    UpdateWorld world;
    world.server.answer(kInstallerPath, 200, QByteArray(250, 'x'));
    world.server.answer(kInstallerPath + ".sha256", 200, QByteArray(64, 'a') + "  semriksetup.exe\n");
    ShellSpy shell;
    ScriptedPrompter prompts;

    world.update->show();
    const Shown shown = whenDownloadEnded(world);
    QCOMPARE(shown.button, QStringLiteral("Zamknij"));
    QCOMPARE(shown.status, QString::fromUtf8(update_status::kChecksumMismatch));
    QVERIFY(!QFile::exists(world.installerFile()));
    QVERIFY(!world.update->downloadedSuccessfully());

    // The address stays open to a browser; closing starts nothing.
    world.part<QPushButton>("btnDownloadViaBrowser")->click();
    world.part<QPushButton>("btnClose")->click();
    QVERIFY(!world.update->isVisible());
    QVERIFY(!world.update->installerStarted());
    QCOMPARE(shell.opened, QList<QUrl>{world.server.url(kInstallerPath)});
    QVERIFY_PROMPTS(prompts);
}

// The start-up's last step asks the server; it shows something only when there is an offer.
void UpdateCommandTest::startupChecksQuietly() {
    UpdateWorld world;
    world.server.answer(kVersionPath, 200, versionFile(1, 9, 0));
    ScriptedPrompter prompts;
    prompts.expectMessage(kOffer, "Nowa wersja", PromptIcon::Question, PromptButtons::YesNo, PromptAnswer::No);

    vFunInitMainWindow(world.window);
    QVERIFY(!world.window.hasClosed());
    auto* check = world.window.findChild<UpdateCheck*>();
    QVERIFY(check);
    QSignalSpy finished(check, &UpdateCheck::finished);
    QVERIFY(finished.wait(kGenerousWaitMs));
    QVERIFY_PROMPTS(prompts);
}

// The menu entry returns at once; the connection message comes once the server has kept
// silent too long.
void UpdateCommandTest::silentServerDoesNotHoldTheWindow() {
    UpdateWorld world;
    vFunSetUpdateTimeout(std::chrono::milliseconds(300));
    world.server.keepSilent(kVersionPath);
    ScriptedPrompter prompts;

    world.window.Sprawdczyjestnowawersja1Click();
    auto* check = world.window.findChild<UpdateCheck*>();
    QVERIFY(check);
    QSignalSpy finished(check, &UpdateCheck::finished);
    QVERIFY(prompts.finished());  // nothing shown yet
    prompts.expectMessage(kNoConnection, "Aktualizacja", PromptIcon::Warning, PromptButtons::Ok);
    QVERIFY(finished.wait(kGenerousWaitMs));
    QVERIFY_PROMPTS(prompts);
}

QTEST_MAIN(UpdateCommandTest)
#include "tst_update_command.moc"
