#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include "diagnostics/update_download.h"
#include "diagnostics/update_server.h"
#include "support/loopback_http_server.h"
#include "support/test_environment.h"

namespace {

constexpr int kGenerousWaitMs = 30000;
const QByteArray kInstaller = "/orvento/semrik/program/2014/semriksetup.exe";
const QByteArray kChecksum = kInstaller + ".sha256";

QByteArray installerBytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = char(i * 7 + 13);  // every value, CR and LF among them
    return bytes;
}

QByteArray sumLine(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() + "  semriksetup.exe\n";
}

QByteArray fileContents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

// One download, run to its end; what it reported.
struct Run {
    bool success = false;
    QStringList statuses;
    qint64 length = -1;
    qint64 lastProgress = -1;
};

Run download(const LoopbackHttpServer& server, const QString& target) {
    UpdateDownload download;
    Run run;
    QObject::connect(&download, &UpdateDownload::statusChanged, [&run](const QString& s) { run.statuses << s; });
    QObject::connect(&download, &UpdateDownload::lengthKnown, [&run](qint64 n) { run.length = n; });
    QObject::connect(&download, &UpdateDownload::progressed, [&run](qint64 n) { run.lastProgress = n; });
    QSignalSpy finished(&download, &UpdateDownload::finished);
    download.start(server.url(kInstaller), server.url(kChecksum), target);
    if (!finished.wait(kGenerousWaitMs)) qWarning("the download never finished");
    run.success = finished.size() == 1 && finished.first().first().toBool();
    if (download.succeeded() != run.success) qWarning("succeeded() disagrees with finished()");
    return run;
}

}  // namespace

class UpdateDownloadTest : public QObject {
    Q_OBJECT

private slots:
    void init() { vFunSetUpdateTimeout(std::chrono::milliseconds(0)); }

    void downloadsExactly();
    void checksumDecides_data();
    void checksumDecides();
    void failures_data();
    void failures();
    void unwritableTarget();
    void unansweredDownloadFails();
};

// 250 bytes announced and sent give a file of exactly those 250 bytes, replacing an older one.
void UpdateDownloadTest::downloadsExactly() {
    TestEnvironment env;
    LoopbackHttpServer server;
    const QByteArray bytes = installerBytes(250);
    server.answerInParts(kInstaller, 200, {bytes.left(100), bytes.mid(100)});
    const QString target = env.mainDir() + "/aktualizacja/nowy.exe";
    QVERIFY(QDir().mkpath(env.mainDir() + "/aktualizacja"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(1000, 'o'));
    old.close();

    const Run run = download(server, target);
    QVERIFY(run.success);
    QCOMPARE(run.length, 250);
    QCOMPARE(run.lastProgress, 250);
    QCOMPARE(run.statuses, QStringList{QString::fromUtf8(update_status::kDownloading)});
    QCOMPARE(fileContents(target), bytes);
    // The sum was asked first; the server publishes none.
    QCOMPARE(server.requestedPaths(), (QList<QByteArray>{kChecksum, kInstaller}));
    for (const QByteArray& request : server.requests()) {
        QVERIFY(request.contains("User-Agent: UPDATE CHECK\r\n"));
        QVERIFY(request.contains("Accept-Encoding: identity\r\n"));
    }
}

void UpdateDownloadTest::checksumDecides_data() {
    QTest::addColumn<QByteArray>("published");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QString>("status");
    const QByteArray bytes = installerBytes(250);
    QTest::newRow("matching") << sumLine(bytes) << true << update_status::kDownloading;
    QTest::newRow("matching, upper case, no name")
        << QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toUpper() << true
        << update_status::kDownloading;
    QTest::newRow("another file's") << sumLine(installerBytes(251)) << false << update_status::kChecksumMismatch;
    QTest::newRow("unreadable") << QByteArray("to nie jest suma\n") << false << update_status::kChecksumUnreadable;
}

// A published sum that the file does not match leaves nothing to install.
void UpdateDownloadTest::checksumDecides() {
    QFETCH(QByteArray, published);
    QFETCH(bool, success);
    QFETCH(QString, status);
    TestEnvironment env;
    LoopbackHttpServer server;
    server.answer(kChecksum, 200, published);
    server.answer(kInstaller, 200, installerBytes(250));
    const QString target = env.mainDir() + "/aktualizacja/nowy.exe";

    const Run run = download(server, target);
    QCOMPARE(run.success, success);
    QCOMPARE(run.statuses.last(), status);
    QCOMPARE(QFileInfo::exists(target), success);
}

void UpdateDownloadTest::failures_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<qint64>("announced");
    QTest::addColumn<QString>("shown");
    QTest::newRow("shorter than announced") << 200 << installerBytes(250) << qint64(300)
                                            << update_status::kReadFailed;
    QTest::newRow("no length") << 200 << installerBytes(250) << qint64(-2) << update_status::kReadFailed;
    QTest::newRow("not found") << 404 << QByteArray("<html>brak</html>") << qint64(-1)
                               << update_status::kReadFailed;
    QTest::newRow("server error") << 500 << QByteArray("<html>awaria</html>") << qint64(-1)
                                  << update_status::kReadFailed;
}

void UpdateDownloadTest::failures() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(qint64, announced);
    QFETCH(QString, shown);
    TestEnvironment env;
    LoopbackHttpServer server;
    server.answer(kInstaller, status, body, announced);
    const QString target = env.mainDir() + "/aktualizacja/nowy.exe";

    const Run run = download(server, target);
    QVERIFY(!run.success);
    QCOMPARE(run.statuses.last(), shown);
    QVERIFY(!QFileInfo::exists(target));
}

void UpdateDownloadTest::unwritableTarget() {
    TestEnvironment env;
    LoopbackHttpServer server;
    server.answer(kInstaller, 200, installerBytes(250));
    // A folder where the file should go.
    const QString target = env.mainDir() + "/aktualizacja/nowy.exe";
    QVERIFY(QDir().mkpath(target + "/inside"));

    const Run run = download(server, target);
    QVERIFY(!run.success);
    QCOMPARE(run.statuses.last(), QString::fromUtf8(update_status::kWriteFailed));
    QVERIFY(QFileInfo(target + "/inside").isDir());
}

// A server that never answers, or nobody listening: a connection error.
void UpdateDownloadTest::unansweredDownloadFails() {
    vFunSetUpdateTimeout(std::chrono::milliseconds(300));
    TestEnvironment env;
    const QString target = env.mainDir() + "/aktualizacja/nowy.exe";
    {
        LoopbackHttpServer server;
        server.keepSilent(kChecksum);
        const Run run = download(server, target);
        QVERIFY(!run.success);
        QCOMPARE(run.statuses, QStringList{QString::fromUtf8(update_status::kConnectionFailed)});
    }
    {
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            closedPort = probe.serverPort();
        }
        UpdateDownload unreachable;
        QSignalSpy status(&unreachable, &UpdateDownload::statusChanged);
        QSignalSpy finished(&unreachable, &UpdateDownload::finished);
        unreachable.start(QUrl(QStringLiteral("http://127.0.0.1:%1/x.exe").arg(closedPort)), QUrl(), target);
        QVERIFY(finished.wait(kGenerousWaitMs));
        QCOMPARE(status.last().first().toString(), QString::fromUtf8(update_status::kConnectionFailed));
    }
}

QTEST_GUILESS_MAIN(UpdateDownloadTest)
#include "tst_update_download.moc"
