#include "update_server.h"

#include <QDir>

#include "storage/paths.h"
#include "storage/settings_store.h"

namespace {

constexpr std::chrono::milliseconds kDefaultTimeout{20000};
std::chrono::milliseconds g_timeout{0};

QString settingOr(const char* key, const char* fallback) {
    ErrorStream err;
    QString value;
    if (!bFunSqlGetSettingsValue(err, QString::fromLatin1(key), value)) value.clear();
    value = value.trimmed();
    return value.isEmpty() ? QString::fromUtf8(fallback) : value;
}

QUrl serverUrl(const UpdateServer& server, const QString& path) {
    const QString scheme = server.scheme.toLower();
    if (scheme != QLatin1String("https") && scheme != QLatin1String("http")) return QUrl();
    if (server.host.isEmpty()) return QUrl();
    QUrl url;
    url.setScheme(scheme);
    url.setAuthority(server.host);
    url.setPath(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
    if (!url.isValid() || url.host().isEmpty()) return QUrl();
    return url;
}

}  // namespace

QUrl UpdateServer::versionUrl() const {
    return serverUrl(*this, versionPath);
}

QUrl UpdateServer::installerUrl() const {
    return serverUrl(*this, installerPath);
}

QUrl UpdateServer::installerChecksumUrl() const {
    return serverUrl(*this, installerPath + QStringLiteral(".sha256"));
}

UpdateServer updateServerFromSettings() {
    UpdateServer server;
    server.scheme = settingOr("update_server_scheme", kDefaultUpdateScheme);
    server.host = settingOr("update_server_host", "");
    server.versionPath = settingOr("update_version_path", kDefaultVersionPath);
    server.installerPath = settingOr("update_installer_path", kDefaultInstallerPath);
    server.localFileName = settingOr("update_local_file", kDefaultLocalFileName);
    return server;
}

QString strFunGetUpdateFilePath(ErrorStream& err, const QString& localFileName) {
    // The name comes from configuration; it must not lead out of the update folder.
    const bool plainName = !localFileName.isEmpty() && !localFileName.contains(QLatin1Char('/'))
                           && !localFileName.contains(QLatin1Char('\\'))
                           && localFileName != QLatin1String(".") && localFileName != QLatin1String("..");
    if (!plainName) {
        err.clear();
        err << "Nieprawidłowa nazwa pliku aktualizacji: " << localFileName;
        return QString();
    }
    const QString mainDir = strFunGetMainDirPath(err);
    if (mainDir.isEmpty()) return QString();
    return mainDir + QLatin1Char('/') + QString::fromLatin1(kUpdateFolderName) + QLatin1Char('/')
           + localFileName;
}

std::chrono::milliseconds updateTimeout() {
    return g_timeout.count() > 0 ? g_timeout : kDefaultTimeout;
}

void vFunSetUpdateTimeout(std::chrono::milliseconds timeout) {
    g_timeout = timeout;
}
