#include "single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

#include "forms/prompter.h"
#include "storage/paths.h"

namespace {

std::unique_ptr<QLockFile>& heldLock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

}  // namespace

QString strFunInstanceLockPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1Char('/') + QLatin1String(kMakerFolderName) +
           QStringLiteral("/ORVENTO-SEMRIK.lock");
}

bool bFunIsAlreadyRunning() {
    if (heldLock()) return false;

    const QString path = strFunInstanceLockPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    auto lock = std::make_unique<QLockFile>(path);
    // Held for the whole run, so its age says nothing; staleness is judged by the owner's
    // process id alone.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        heldLock() = std::move(lock);
        return false;
    }
    // A lock that cannot even be created proves no other copy: let this one run.
    if (lock->error() != QLockFile::LockFailedError) return false;

    prompter().message(nullptr, QStringLiteral("Ten program jest już uruchomiony."),
                       QStringLiteral("Kopia"), PromptIcon::Error, PromptButtons::Ok);
    return true;
}
