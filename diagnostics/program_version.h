#pragma once

#include <QByteArray>
#include <QString>

// A release number as the update server publishes it: major, minor, release.
struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int release = 0;

    // "1.8.0"
    QString text() const;
};

// The version file is three 32-bit signed little-endian integers (major, minor, release).
// Only its first 12 bytes count; numbers a short body does not supply read as 0.
inline constexpr int kVersionFileSize = 12;
ProgramVersion versionFromFile(const QByteArray& body);

// True when `offered` is a later release than `own`: majors first, then minors, then releases.
bool bFunIsNewerVersion(const ProgramVersion& offered, const ProgramVersion& own);
