#include "test_environment.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "storage/database.h"
#include "storage/error_stream.h"
#include "storage/paths.h"

namespace {

void copyTree(const QString& from, const QString& to) {
    QDir source(from);
    QDir().mkpath(to);
    for (const QFileInfo& entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            copyTree(entry.filePath(), target);
        } else {
            QFile::copy(entry.filePath(), target);
        }
    }
}

// Tests never reach the network: the start-up's update check finds no server to ask. A test
// of the check names its own loopback server.
void withoutUpdateServer(const QString& settingsPath) {
    CppSQLite3DB db;
    try {
        db.open(settingsPath);
        db.execute(QStringLiteral("update `settings` set `text_value`='' where `name`='update_server_host'"));
        db.close();
    } catch (const CppSQLite3Exception& e) {
        qFatal("TestEnvironment: %s", e.errorMessage());
    }
}

}  // namespace

TestEnvironment::TestEnvironment(bool withShippedFiles)
    : m_previousDataHome(qgetenv("XDG_DATA_HOME")), m_hadDataHome(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
    if (!m_root.isValid()) qFatal("TestEnvironment: no temporary directory: %s", qPrintable(m_root.errorString()));
    QDir root(m_root.path());
    root.mkpath(QStringLiteral("xdg"));
    root.mkpath(QStringLiteral("install"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    QStandardPaths::setTestModeEnabled(false);
    vFunOverrideExeDirPath(installDir());
    if (withShippedFiles) {
        copyTree(QStringLiteral(SEMRIK_SHIPPED_DIR), installDir());
        withoutUpdateServer(installDir() + QLatin1Char('/') + QLatin1String(kSettingsFileName));
    }
}

TestEnvironment::~TestEnvironment() {
    vFunOverrideExeDirPath(QString());
    if (m_hadDataHome) {
        qputenv("XDG_DATA_HOME", m_previousDataHome);
    } else {
        qunsetenv("XDG_DATA_HOME");
    }
}

QString TestEnvironment::dataHome() const { return m_root.path() + QStringLiteral("/xdg"); }

QString TestEnvironment::installDir() const { return m_root.path() + QStringLiteral("/install"); }

QString TestEnvironment::mainDir() const {
    ErrorStream err;
    return strFunGetMainDirPath(err);
}

QString TestEnvironment::fixture(const QString& name) const {
    const QString target = m_root.path() + QStringLiteral("/fixtures/") + name;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    QFile::copy(QStringLiteral(SEMRIK_TEST_DATA_DIR "/") + name, target);
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}
