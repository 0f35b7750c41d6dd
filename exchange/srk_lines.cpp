#include "srk_lines.h"

#include <QFile>

#include <cerrno>

#include "storage/cp1250.h"
#include "storage/system_error.h"

namespace {

const char kEndOfFile = 26;  // Ctrl-Z

}  // namespace

bool SrkLines::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setLastSystemErrorCode(errno ? errno : EIO);
        return false;
    }
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setLastSystemErrorCode(errno ? errno : EIO);
        return false;
    }
    setBytes(bytes);
    return true;
}

void SrkLines::setBytes(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf(kEndOfFile);
    m_bytes = end < 0 ? bytes : bytes.left(end);
    m_pos = 0;
    m_previousPos = 0;
    m_line = 0;
}

bool SrkLines::next(QString& line) {
    if (m_pos >= m_bytes.size()) return false;
    qsizetype end = m_bytes.indexOf('\n', m_pos);
    const bool hasLineFeed = end >= 0;
    if (!hasLineFeed) end = m_bytes.size();
    qsizetype length = end - m_pos;
    if (hasLineFeed && length > 0 && m_bytes.at(end - 1) == '\r') --length;
    line = cp1250::toUnicode(m_bytes.constData() + m_pos, length);
    m_previousPos = m_pos;
    m_pos = hasLineFeed ? end + 1 : end;
    ++m_line;
    return true;
}

void SrkLines::unread() {
    if (m_pos == m_previousPos) return;
    m_pos = m_previousPos;
    --m_line;
}
