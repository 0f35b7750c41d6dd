#include "paths.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "error_log.h"
#include "system_error.h"

namespace {

QMutex g_exeDirMutex;
QString g_exeDirOverride;

QString loginName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0) size = 16384;
    std::vector<char> buffer(static_cast<size_t>(size));
    passwd entry{};
    passwd* found = nullptr;
    int rc = 0;
    while ((rc = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    if (rc == 0 && found && found->pw_name && *found->pw_name) {
        return QFile::decodeName(found->pw_name);
    }
    for (const char* variable : {"USER", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) return value;
    }
    // Still one folder per account, even without a name.
    return QString::number(geteuid());
}

QString fileInMainDir(ErrorStream& err, const char* fileName) {
    const QString dir = strFunGetMainDirPath(err);
    // Without the data directory there is no sound place for the file: an empty path makes the
    // caller's existence test fail instead of touching the file-system root.
    if (dir.isEmpty()) return QString();
    return dir + QLatin1Char('/') + QLatin1String(fileName);
}

void reportMainDirUnavailable(ErrorStream& err, int code) {
    setLastSystemErrorCode(code);
    err.clear();
    err << "Błąd uzyskania ścieżki głównego katalagu.\n"
        << "Kod błędu: " << code;
    vFunWriteLog(err, QStringLiteral("strFunGetMainDirPath()"), kLogError);
}

}  // namespace

QString strFunTransliterate(QString name) {
    static const struct {
        char16_t from;
        char to;
    } kLetters[] = {
        {u'Ą', 'A'}, {u'ą', 'a'}, {u'Ć', 'C'}, {u'ć', 'c'}, {u'Ę', 'E'}, {u'ę', 'e'},
        {u'Ł', 'L'}, {u'ł', 'l'}, {u'Ń', 'N'}, {u'ń', 'n'}, {u'Ó', 'O'}, {u'ó', 'o'},
        {u'Ś', 'S'}, {u'ś', 's'}, {u'Ź', 'Z'}, {u'ź', 'z'},
        {u'Ż', 'z'},  // a small z: existing data folders are named this way
        {u'ż', 'z'},
    };
    for (const auto& letter : kLetters) {
        name.replace(QChar(letter.from), QChar::fromLatin1(letter.to));
    }
    return name;
}

QString strFunGetMainDirPath(ErrorStream& err) {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) {
        reportMainDirUnavailable(err, errno);
        return QString();
    }
    // A fresh account may not have its data folder yet; the levels below are ours to create.
    if (!QFileInfo(base).isDir()) {
        errno = 0;
        if (!QDir().mkpath(base)) {
            reportMainDirUnavailable(err, errno);
            return QString();
        }
    }

    const QString makerDir = QDir::cleanPath(base) + QLatin1Char('/') + QLatin1String(kMakerFolderName);
    if (!bFunCreateDirectory(err, makerDir)) return QString();

    const QString userDir = makerDir + QLatin1Char('/') + strFunTransliterate(loginName());
    if (!bFunCreateDirectory(err, userDir)) return QString();
    return userDir;
}

bool bFunCreateDirectory(ErrorStream& err, QString path) {
    if (QFileInfo(path).isDir()) return true;
    std::error_code ec;
    std::filesystem::create_directory(QFile::encodeName(path).toStdString(), ec);
    if (!ec) return true;

    setLastSystemErrorCode(ec.value());
    err.clear();
    err << "Błąd podczas tworzenia katalogu:\n" << path << "\nKod błędu: " << ec.value();
    vFunWriteLog(err, QStringLiteral("strFunGetMainDirPath()"), kLogError);
    return false;
}

QString strFunGetExeDirPath() {
    {
        QMutexLocker lock(&g_exeDirMutex);
        if (!g_exeDirOverride.isEmpty()) return g_exeDirOverride;
    }
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

void vFunOverrideExeDirPath(const QString& path) {
    QMutexLocker lock(&g_exeDirMutex);
    g_exeDirOverride = path;
}

QString strFunGetTmpFilePath(ErrorStream& err) { return fileInMainDir(err, kTmpFileName); }

QString strFunGetSettingsFilePath(ErrorStream& err, bool shipped) {
    if (shipped) return strFunGetExeDirPath() + QLatin1Char('/') + QLatin1String(kSettingsFileName);
    return fileInMainDir(err, kSettingsFileName);
}

QString strFunGetCalibFilePath(ErrorStream& err, bool shipped) {
    if (shipped) return strFunGetExeDirPath() + QLatin1Char('/') + QLatin1String(kCalibFileName);
    return fileInMainDir(err, kCalibFileName);
}

QString strFunGetLogFilePath(ErrorStream& err) { return fileInMainDir(err, kLogFileName); }

QString strFunGetTemplateFilePath(ErrorStream& err) {
    const QString path = fileInMainDir(err, kTemplateFileName);
    if (path.isEmpty() || QFileInfo::exists(path)) return path;
    // An empty file is an empty database: reading it gives an empty template.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        setLastSystemErrorCode(errno);
        err.clear();
        err << "Błąd podczas tworzenia pliku:\n" << path << "\n" << file.errorString();
        vFunWriteLog(err, QStringLiteral("strFunGetTemplateFilePath()"), kLogError);
        return QString();
    }
    return path;
}

QString strFunGetHelpFilePath() {
    return strFunGetExeDirPath() + QLatin1Char('/') + QLatin1String(kHelpFileName);
}
