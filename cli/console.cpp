#include "console.h"

#include <QByteArray>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "storage/file_problem.h"

void vFunGuardStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // open() returns the lowest free descriptor, which is `fd` as the lower ones are open.
        const int placeholder = ::open("/dev/null", O_RDONLY);
        if (placeholder >= 0 && placeholder != fd) ::close(placeholder);
    }
}

bool bFunWriteConsole(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const size_t size = static_cast<size_t>(bytes.size());
    const bool written = std::fwrite(bytes.constData(), 1, size, stream) == size;
    const bool flushed = std::fflush(stream) == 0;
    return written && flushed && !std::ferror(stream);
}

QString strFunConsoleErrorReason(int code) {
    if (code == EBADF) return QStringLiteral("Wyjście jest zamknięte");
    return strFunSystemErrorReason(code);
}
