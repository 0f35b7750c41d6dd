#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QtEndian>

#include "diagnostics/program_version.h"
#include "diagnostics/update_check.h"
#include "diagnostics/update_server.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/settings_store.h"
#include "support/loopback_http_server.h"
#include "support/test_environment.h"

namespace {

constexpr int kGenerousWaitMs = 30000;
const QByteArray kVersionPath = "/orvento/semrik/program/2014/semrik_wersja.bin";

QByteArray versionFile(qint32 major, qint32 minor, qint32 release) {
    QByteArray bytes(kVersionFileSize, '\0');
    qToLittleEndian(major, bytes.data());
    qToLittleEndian(minor, bytes.data() + 4);
    qToLittleEndian(release, bytes.data() + 8);
    return bytes;
}

UpdateCheckResult runCheck(const QUrl& url) {
    UpdateCheck check;
    QSignalSpy finished(&check, &UpdateCheck::finished);
    check.start(url);
    if (!finished.wait(kGenerousWaitMs)) qWarning("the check never finished");
    return finished.isEmpty() ? UpdateCheckResult{} : finished.first().first().value<UpdateCheckResult>();
}

}  // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT

private slots:
    void init() { vFunSetUpdateTimeout(std::chrono::milliseconds(0)); }

    void versionFileReading_data();
    void versionFileReading();
    void newerVersions_data();
    void newerVersions();
    void addressesFromSettings_data();
    void addressesFromSettings();
    void updateFileName_data();
    void updateFileName();
    void serverAnswers_data();
    void serverAnswers();
    void versionSentInPartsIsReadWhole();
    void unreachableServer_data();
    void unreachableServer();
    void silentServerIsNoConnectionAndBlocksNothing();
};

void UpdateCheckTest::versionFileReading_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("version");
    QTest::newRow("twelve bytes") << versionFile(1, 9, 0) << "1.9.0";
    QTest::newRow("eight bytes") << versionFile(1, 9, 7).left(8) << "1.9.0";
    QTest::newRow("part of a number") << versionFile(2, 0x01020304, 0).left(6) << "2.772.0";
    QTest::newRow("empty") << QByteArray() << "0.0.0";
    QTest::newRow("longer than the file") << versionFile(1, 8, 1) + "trailing" << "1.8.1";
    QTest::newRow("signed") << versionFile(-1, 8, 0) << "-1.8.0";
}

void UpdateCheckTest::versionFileReading() {
    QFETCH(QByteArray, body);
    QFETCH(QString, version);
    QCOMPARE(versionFromFile(body).text(), version);
}

void UpdateCheckTest::newerVersions_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("release");
    QTest::addColumn<bool>("newer");
    QTest::newRow("1.8.1") << 1 << 8 << 1 << true;
    QTest::newRow("1.9.0") << 1 << 9 << 0 << true;
    QTest::newRow("2.0.0") << 2 << 0 << 0 << true;
    QTest::newRow("1.8.0") << 1 << 8 << 0 << false;
    QTest::newRow("1.7.9") << 1 << 7 << 9 << false;
    QTest::newRow("0.9.9") << 0 << 9 << 9 << false;
    QTest::newRow("0.0.0 of an empty body") << 0 << 0 << 0 << false;
}

void UpdateCheckTest::newerVersions() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, release);
    QFETCH(bool, newer);
    QCOMPARE(bFunIsNewerVersion(ProgramVersion{major, minor, release}, ProgramVersion{1, 8, 0}), newer);
}

void UpdateCheckTest::addressesFromSettings_data() {
    QTest::addColumn<QStringList>("settings");  // key, value, key, value...
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("installer");
    QTest::addColumn<QString>("checksum");
    QTest::newRow("shipped defaults")
        << QStringList{}
        << "https://aktualizacje.orvento.example/orvento/semrik/program/2014/semrik_wersja.bin"
        << "https://aktualizacje.orvento.example/orvento/semrik/program/2014/semriksetup.exe"
        << "https://aktualizacje.orvento.example/orvento/semrik/program/2014/semriksetup.exe.sha256";
    QTest::newRow("configured")
        << QStringList{"update_server_scheme", "HTTP", "update_server_host", "127.0.0.1:8080",
                       "update_version_path", "/v.bin", "update_installer_path", "pakiet.deb"}
        << "http://127.0.0.1:8080/v.bin" << "http://127.0.0.1:8080/pakiet.deb"
        << "http://127.0.0.1:8080/pakiet.deb.sha256";
    // Blank values, as an older settings database has them missing, take the defaults.
    QTest::newRow("blank values")
        << QStringList{"update_server_scheme", " ", "update_version_path", ""}
        << "https://aktualizacje.orvento.example/orvento/semrik/program/2014/semrik_wersja.bin"
        << "https://aktualizacje.orvento.example/orvento/semrik/program/2014/semriksetup.exe"
        << "https://aktualizacje.orvento.example/orvento/semrik/program/2014/semriksetup.exe.sha256";
    QTest::newRow("no host") << QStringList{"update_server_host", ""} << "" << "" << "";
    QTest::newRow("other scheme") << QStringList{"update_server_scheme", "ftp"} << "" << "" << "";
}

void UpdateCheckTest::addressesFromSettings() {
    QFETCH(QStringList, settings);
    QFETCH(QString, version);
    QFETCH(QString, installer);
    QFETCH(QString, checksum);
    TestEnvironment env;
    ErrorStream err;
    QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
    // The shipped host, whatever the test world set.
    QVERIFY(bFunSqlSettingWriteValue(err, "update_server_host", QStringLiteral("aktualizacje.orvento.example")));
    for (int i = 0; i + 1 < settings.size(); i += 2)
        QVERIFY(bFunSqlSettingWriteValue(err, settings[i], settings[i + 1]));

    const UpdateServer server = updateServerFromSettings();
    QCOMPARE(server.versionUrl().toString(), version);
    QCOMPARE(server.installerUrl().toString(), installer);
    QCOMPARE(server.installerChecksumUrl().toString(), checksum);
    QCOMPARE(server.localFileName, QStringLiteral("nowy.exe"));
}

void UpdateCheckTest::updateFileName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << "nowy.exe" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("folder above") << "../nowy.exe" << false;
    QTest::newRow("absolute") << "/tmp/nowy.exe" << false;
    QTest::newRow("backslash") << "..\\nowy.exe" << false;
    QTest::newRow("dot dot") << ".." << false;
}

void UpdateCheckTest::updateFileName() {
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    TestEnvironment env;
    ErrorStream err;
    const QString path = strFunGetUpdateFilePath(err, name);
    if (accepted) {
        QCOMPARE(path, env.mainDir() + "/aktualizacja/" + name);
    } else {
        QVERIFY(path.isEmpty());
        QVERIFY(!err.isEmpty());
    }
}

void UpdateCheckTest::serverAnswers_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("offered");
    QTest::newRow("1.9.0") << 200 << versionFile(1, 9, 0) << int(UpdateCheckOutcome::Answered) << "1.9.0";
    QTest::newRow("eight bytes") << 200 << versionFile(1, 9, 0).left(8)
                                 << int(UpdateCheckOutcome::Answered) << "1.9.0";
    QTest::newRow("404") << 404 << versionFile(9, 9, 9) << int(UpdateCheckOutcome::NotPublished) << "0.0.0";
    QTest::newRow("500") << 500 << versionFile(9, 9, 9) << int(UpdateCheckOutcome::NotPublished) << "0.0.0";
    // Other answers are read like a version file.
    QTest::newRow("403 with a body") << 403 << versionFile(2, 0, 0) << int(UpdateCheckOutcome::Answered)
                                     << "2.0.0";
    QTest::newRow("a page") << 200 << QByteArray(5000, 'x') << int(UpdateCheckOutcome::Answered)
                            << "2021161080.2021161080.2021161080";
}

void UpdateCheckTest::serverAnswers() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, outcome);
    QFETCH(QString, offered);
    LoopbackHttpServer server;
    server.answer(kVersionPath, status, body);

    const UpdateCheckResult result = runCheck(server.url(kVersionPath));
    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(result.offered.text(), offered);
    QCOMPARE(server.requests().size(), 1);
    QVERIFY(server.requests().first().contains("User-Agent: UPDATE_CHECK\r\n"));
}

// A server that sends the file in pieces gives the version whole, not the first piece alone.
void UpdateCheckTest::versionSentInPartsIsReadWhole() {
    LoopbackHttpServer server;
    const QByteArray file = versionFile(1, 9, 3);
    server.answerInParts(kVersionPath, 200, {file.left(2), file.mid(2, 5), file.mid(7)});
    const UpdateCheckResult result = runCheck(server.url(kVersionPath));
    QCOMPARE(int(result.outcome), int(UpdateCheckOutcome::Answered));
    QCOMPARE(result.offered.text(), QStringLiteral("1.9.3"));
}

void UpdateCheckTest::unreachableServer_data() {
    QTest::addColumn<QUrl>("url");
    QTest::newRow("no server configured") << QUrl();
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    QTest::newRow("nobody listening")
        << QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(closedPort).arg(QString::fromLatin1(kVersionPath)));
}

void UpdateCheckTest::unreachableServer() {
    QFETCH(QUrl, url);
    QCOMPARE(int(runCheck(url).outcome), int(UpdateCheckOutcome::NoConnection));
}

void UpdateCheckTest::silentServerIsNoConnectionAndBlocksNothing() {
    vFunSetUpdateTimeout(std::chrono::milliseconds(300));
    LoopbackHttpServer server;
    server.keepSilent(kVersionPath);

    UpdateCheck check;
    QSignalSpy finished(&check, &UpdateCheck::finished);
    check.start(server.url(kVersionPath));
    QVERIFY(finished.isEmpty());  // start() returned without waiting for the server
    // The event loop keeps running while the server says nothing.
    bool otherWorkRan = false;
    QTimer::singleShot(0, this, [&otherWorkRan, &finished] { otherWorkRan = finished.isEmpty(); });
    QVERIFY(finished.wait(kGenerousWaitMs));
    QVERIFY(otherWorkRan);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(int(finished.first().first().value<UpdateCheckResult>().outcome),
             int(UpdateCheckOutcome::NoConnection));
    QCOMPARE(server.requestedPaths(), QList<QByteArray>{kVersionPath});
}

QTEST_GUILESS_MAIN(UpdateCheckTest)
#include "tst_update_check.moc"
