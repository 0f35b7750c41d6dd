#include "file_problem.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "safe_replace.h"

namespace {

std::string native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString kindProblem(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return QStringLiteral("To jest katalog, a nie plik");
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("To nie jest zwykły plik, tylko potok, urządzenie lub gniazdo");
    return QString();
}

// The directory a file at `path` lives in, after following a link at `path` itself, as the
// replacement does.
std::string directoryOf(const QString& path) {
    const std::string file = native(strFunReplacedFile(path));
    const std::string::size_type slash = file.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

}  // namespace

QString strFunSystemErrorReason(int code) {
    switch (code) {
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("Plik nie istnieje");
        case EACCES:
        case EPERM:
            return QStringLiteral("Brak uprawnień do tego pliku");
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("Brak miejsca na dysku");
        case EROFS:
            return QStringLiteral("Dysk jest tylko do odczytu");
        case EISDIR:
            return QStringLiteral("To jest katalog, a nie plik");
        case ELOOP:
            return QStringLiteral("Dowiązania symboliczne tworzą pętlę");
        case ENAMETOOLONG:
            return QStringLiteral("Nazwa pliku jest za długa");
        case EIO:
            return QStringLiteral("Błąd wejścia-wyjścia dysku");
        case EBUSY:
        case ETXTBSY:
            return QStringLiteral("Plik jest zajęty przez inny program");
        default:
            return QStringLiteral("Błąd systemu nr %1").arg(code);
    }
}

QString strFunReadProblem(const QString& path) {
    const std::string file = native(path);
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return strFunSystemErrorReason(errno);
    const QString kind = kindProblem(info);
    if (!kind.isEmpty()) return kind;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM)
            return QStringLiteral("Brak uprawnień do odczytu pliku");
        return strFunSystemErrorReason(errno);
    }
    ::close(fd);
    return QString();
}

QString strFunWriteProblem(const QString& path) {
    if (path.isEmpty()) return strFunSystemErrorReason(ENOENT);
    const std::string file = native(path);
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0) {
        const QString kind = kindProblem(info);
        if (!kind.isEmpty()) return kind;
        // The owner may still write after a chmod, so this is checked by the bits, not only by
        // access() (which lets root write anything).
        const bool writable = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
                              ::access(file.c_str(), W_OK) == 0;
        if (!writable) return QStringLiteral("Plik jest tylko do odczytu");
    } else if (errno != ENOENT) {
        return strFunSystemErrorReason(errno);
    }
    const std::string directory = directoryOf(path);
    struct stat dirInfo {};
    if (::stat(directory.c_str(), &dirInfo) != 0 || !S_ISDIR(dirInfo.st_mode))
        return QStringLiteral("Katalog, w którym miałby leżeć plik, nie istnieje");
    // The replacement is written beside the file and renamed over it.
    if (::access(directory.c_str(), W_OK | X_OK) != 0)
        return QStringLiteral("Brak uprawnień do zapisu w katalogu pliku");
    return QString();
}

QString strFunDatabaseProblem(const QString& codeName) {
    if (codeName == QLatin1String("SQLITE_BUSY") || codeName == QLatin1String("SQLITE_LOCKED"))
        return QStringLiteral("Plik jest zablokowany przez inny program");
    if (codeName == QLatin1String("SQLITE_READONLY_ROLLBACK"))
        return QStringLiteral(
            "Zapis pliku nie został dokończony (obok leży jego dziennik z końcówką „-journal”); "
            "nie odczytano go, by nie pokazać niepełnych danych");
    if (codeName == QLatin1String("SQLITE_CANTOPEN") || codeName == QLatin1String("SQLITE_PERM"))
        return QStringLiteral("Nie można otworzyć pliku");
    if (codeName == QLatin1String("SQLITE_IOERR")) return QStringLiteral("Błąd odczytu pliku");
    if (codeName == QLatin1String("SQLITE_NOMEM")) return QStringLiteral("Brak pamięci");
    return QStringLiteral("Plik nie jest prawidłowym plikiem świadectw");
}

QString strFunUnreadableTableReason(const QString& codeName) {
    if (codeName == QLatin1String("SQLITE_CORRUPT"))
        return QStringLiteral("uszkodzona zawartość tabeli");
    if (codeName == QLatin1String("CPPSQLITE_ERROR"))
        return QStringLiteral("tabela nie ma kolumn danych ucznia");
    if (codeName == QLatin1String("SQLITE_IOERR")) return QStringLiteral("błąd odczytu pliku");
    if (codeName == QLatin1String("SQLITE_NOMEM")) return QStringLiteral("brak pamięci");
    return QStringLiteral("błąd odczytu tabeli");
}

bool bFunSameFile(const QString& first, const QString& second) {
    struct stat a {
    }, b{};
    if (::stat(native(first).c_str(), &a) != 0 || ::stat(native(second).c_str(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool bFunIsUtf8Name(const QByteArray& nativeName) {
    return QString::fromUtf8(nativeName).toUtf8() == nativeName;
}

QString strFunNotUtf8NameReason() {
    return QStringLiteral("Nazwa pliku nie jest zapisana w UTF-8; zmień ją i spróbuj ponownie");
}
