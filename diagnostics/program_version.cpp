#include "program_version.h"

#include <QtEndian>

#include <array>

namespace {

constexpr int kNumberSize = 4;

}  // namespace

QString ProgramVersion::text() const {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(release);
}

ProgramVersion versionFromFile(const QByteArray& body) {
    std::array<char, kVersionFileSize> bytes{};  // what the body lacks stays 0
    const int present = qMin<int>(body.size(), kVersionFileSize);
    std::copy(body.constData(), body.constData() + present, bytes.begin());
    const auto number = [&bytes](int index) {
        return qFromLittleEndian<qint32>(bytes.data() + index * kNumberSize);
    };
    return ProgramVersion{number(0), number(1), number(2)};
}

bool bFunIsNewerVersion(const ProgramVersion& offered, const ProgramVersion& own) {
    if (offered.major != own.major) return offered.major > own.major;
    if (offered.minor != own.minor) return offered.minor > own.minor;
    return offered.release > own.release;
}
