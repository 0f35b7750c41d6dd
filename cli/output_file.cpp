#include "output_file.h"

#include <QFile>

#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstring>

#include "storage/file_problem.h"
#include "storage/safe_replace.h"
#include "storage/system_error.h"

namespace {

// The temporary file's name for the signal handler, which may touch nothing but these.
char g_pendingPath[PATH_MAX + 64];
volatile sig_atomic_t g_pending = 0;

const int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void removePendingAndDie(int signalNumber) {
    if (g_pending) ::unlink(g_pendingPath);
    // Ends the run the way the signal would have, so the caller sees what stopped it.
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

// Signals stay blocked while the name is being set, so the handler never sees half of it.
class SignalsBlocked {
public:
    SignalsBlocked() {
        sigset_t set;
        sigemptyset(&set);
        for (int number : kCleanupSignals) sigaddset(&set, number);
        sigprocmask(SIG_BLOCK, &set, &m_previous);
    }
    ~SignalsBlocked() { sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t m_previous;
};

void installCleanupHandler() {
    struct sigaction action {};
    action.sa_handler = removePendingAndDie;
    sigemptyset(&action.sa_mask);
    for (int number : kCleanupSignals) sigaction(number, &action, nullptr);
}

}  // namespace

QString strFunCannotWriteMessage(const QString& path, const QString& reason) {
    return QStringLiteral("Nie można zapisać pliku: ") + path + QLatin1Char('\n') + reason +
           QLatin1Char('.');
}

OutputFile::~OutputFile() {
    discard();
}

QString OutputFile::check(const CommandFile& target, const QStringList& inputs) {
    m_target = target.path;
    if (!bFunIsUtf8Name(target.native))
        return strFunCannotWriteMessage(m_target, strFunNotUtf8NameReason());
    for (const QString& input : inputs) {
        if (bFunSameFile(m_target, input))
            return strFunCannotWriteMessage(
                m_target, QStringLiteral("To jest plik wejściowy ") + input +
                              QStringLiteral(", który zostałby zastąpiony wynikiem"));
    }
    const QString problem = strFunWriteProblem(m_target);
    return problem.isEmpty() ? QString() : strFunCannotWriteMessage(m_target, problem);
}

QString OutputFile::create() {
    const SignalsBlocked blocked;
    QString temporary;
    if (!bFunCreateTemporaryBeside(m_target, temporary))
        return strFunCannotWriteMessage(m_target, strFunSystemErrorReason(lastSystemErrorCode()));
    const QByteArray native = QFile::encodeName(temporary);
    if (size_t(native.size()) >= sizeof g_pendingPath) {
        ::unlink(native.constData());
        return strFunCannotWriteMessage(m_target, strFunSystemErrorReason(ENAMETOOLONG));
    }
    std::memcpy(g_pendingPath, native.constData(), size_t(native.size()) + 1);
    g_pending = 1;
    m_temporary = temporary;
    installCleanupHandler();
    return QString();
}

QString OutputFile::commit() {
    if (m_temporary.isEmpty())
        return strFunCannotWriteMessage(m_target, strFunSystemErrorReason(ENOENT));
    // Blocked until the name is forgotten: a signal between the rename and that would remove
    // a file that is no longer ours.
    const SignalsBlocked blocked;
    const bool moved = bFunMoveOverSafely(m_temporary, m_target);
    g_pending = 0;
    m_temporary.clear();
    if (moved) return QString();
    return strFunCannotWriteMessage(m_target, strFunSystemErrorReason(lastSystemErrorCode()));
}

void OutputFile::discard() {
    if (m_temporary.isEmpty()) return;
    const SignalsBlocked blocked;
    QFile::remove(m_temporary);
    g_pending = 0;
    m_temporary.clear();
}
