#include "fuzz_scratch.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

FuzzScratch& FuzzScratch::instance() {
    static FuzzScratch scratch;
    return scratch;
}

namespace {

const char* const kPrefix = "semrik-fuzz-";

// A crashing input ends the process before it can tidy up, and a crash search starts hundreds:
// every folder of a process that no longer runs goes when the next one starts.
void removeFoldersOfEndedRuns(const QString& base) {
    const QDir dir(base);
    for (const QString& name : dir.entryList({QLatin1String(kPrefix) + QLatin1Char('*')}, QDir::Dirs)) {
        bool isNumber = false;
        const qint64 pid = name.mid(int(std::strlen(kPrefix))).toLongLong(&isNumber);
        if (isNumber && pid > 0 && kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QDir(dir.filePath(name)).removeRecursively();
    }
}

}  // namespace

FuzzScratch::FuzzScratch() {
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                           : QDir::tempPath();
    removeFoldersOfEndedRuns(base);
    m_root = base + QLatin1Char('/') + QLatin1String(kPrefix) + QString::number(getpid());
    QDir(m_root).removeRecursively();  // left by an ended run whose number this one got
    if (!QDir().mkpath(m_root)) {
        std::fprintf(stderr, "semrik fuzz: cannot make %s\n", qPrintable(m_root));
        std::abort();
    }
    const QByteArray data = QFile::encodeName(m_root + QStringLiteral("/data"));
    setenv("XDG_DATA_HOME", data.constData(), 1);
    std::atexit([] { QDir(FuzzScratch::instance().m_root).removeRecursively(); });
}

QString FuzzScratch::path(const char* name) const {
    return m_root + QLatin1Char('/') + QLatin1String(name);
}

bool FuzzScratch::write(const QString& path, const uint8_t* data, size_t size) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const qint64 written = file.write(reinterpret_cast<const char*>(data), qint64(size));
    return written == qint64(size) && file.flush();
}

void FuzzScratch::clear() const {
    const QDir root(m_root);
    for (const QFileInfo& entry : root.entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(entry.filePath());
    // The program makes its data folder again when it next needs it.
    QDir(m_root + QStringLiteral("/data")).removeRecursively();
}
