#include "fuzz_scratch.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

FuzzScratch& FuzzScratch::instance() {
    static FuzzScratch scratch;
    return scratch;
}

FuzzScratch::FuzzScratch() {
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                           : QDir::tempPath();
    QByteArray pattern = QFile::encodeName(base + QStringLiteral("/semrik-fuzz-XXXXXX"));
    if (!mkdtemp(pattern.data())) {
        std::perror("semrik fuzz: mkdtemp");
        std::abort();
    }
    m_root = QFile::decodeName(pattern);
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
