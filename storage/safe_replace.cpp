#include "safe_replace.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "system_error.h"

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr size_t kCopyBufferSize = 64 * 1024;

bool fail(int code) {
    setLastSystemErrorCode(code);
    return false;
}

// Closes the descriptor when the scope ends, unless it was closed (and checked) already.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // close() reports late write errors (e.g. on network file systems), so its result counts.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// The file a symbolic link points to, so the link itself survives the rename.
std::string followLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    // A dangling link has nothing to resolve to; it is then replaced like a missing file.
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// A new file beside `target`, created exclusively so that nothing already there is reused.
int createTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporaryPath = target + ".tmp" + (attempt == 0 ? std::string() : std::to_string(attempt));
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// 0 when every byte of `from` reached `to`, otherwise the error code.
int copyContent(int from, int to) {
    std::vector<char> buffer(kCopyBufferSize);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (got == 0) return 0;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, static_cast<size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            done += put;
        }
    }
}

// Makes the rename itself durable; a file system that cannot sync a directory loses nothing
// but that guarantee, so failures are ignored.
void syncDirectoryOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    const std::string directory =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.isOpen()) ::fsync(dir.get());
}

// Puts the finished temporary file in place of `to`: the target's permissions, flushed to the
// disk, renamed over. Every failure removes the temporary file and leaves the target as it was.
bool moveOver(Descriptor& output, const std::string& temporaryPath, const std::string& to) {
    auto discard = [&](int code) {
        if (output.isOpen()) output.close();
        ::unlink(temporaryPath.c_str());
        return fail(code);
    };
    struct stat previous {};
    if (::stat(to.c_str(), &previous) == 0 && S_ISREG(previous.st_mode)) {
        if (::fchmod(output.get(), (previous.st_mode & 07777) | S_IRUSR | S_IWUSR) != 0)
            return discard(errno);
    }
    if (::fsync(output.get()) != 0) return discard(errno);
    if (!output.close()) return discard(errno);
    if (::rename(temporaryPath.c_str(), to.c_str()) != 0) return discard(errno);

    syncDirectoryOf(to);
    return true;
}

}  // namespace

bool bFunReplaceFileSafely(QString source, QString target) {
    // An empty target would put the temporary file into the working directory.
    if (target.isEmpty()) return fail(ENOENT);
    const std::string from = QFile::encodeName(source).toStdString();
    const std::string to = followLink(QFile::encodeName(target).toStdString());

    Descriptor input(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!input.isOpen()) return fail(errno);

    std::string temporaryPath;
    Descriptor output(createTemporaryBeside(to, temporaryPath));
    if (!output.isOpen()) return fail(errno);
    if (const int code = copyContent(input.get(), output.get())) {
        output.close();
        ::unlink(temporaryPath.c_str());
        return fail(code);
    }
    return moveOver(output, temporaryPath, to);
}

QString strFunReplacedFile(QString target) {
    return QFile::decodeName(
        QByteArray::fromStdString(followLink(QFile::encodeName(target).toStdString())));
}

bool bFunCreateTemporaryBeside(QString target, QString& temporaryPath) {
    temporaryPath.clear();
    if (target.isEmpty()) return fail(ENOENT);
    const std::string to = followLink(QFile::encodeName(target).toStdString());
    std::string path;
    Descriptor output(createTemporaryBeside(to, path));
    if (!output.isOpen()) return fail(errno);
    if (!output.close()) {
        const int code = errno;
        ::unlink(path.c_str());
        return fail(code);
    }
    temporaryPath = QFile::decodeName(QByteArray::fromStdString(path));
    return true;
}

bool bFunMoveOverSafely(QString temporary, QString target) {
    const std::string from = QFile::encodeName(temporary).toStdString();
    if (target.isEmpty()) {
        ::unlink(from.c_str());
        return fail(ENOENT);
    }
    const std::string to = followLink(QFile::encodeName(target).toStdString());
    Descriptor output(::open(from.c_str(), O_WRONLY | O_CLOEXEC));
    if (!output.isOpen()) {
        const int code = errno;
        ::unlink(from.c_str());
        return fail(code);
    }
    return moveOver(output, from, to);
}
