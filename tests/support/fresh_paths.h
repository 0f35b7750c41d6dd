#pragma once

#include <QString>
#include <QTemporaryDir>

// Unused file paths in a temporary folder that lives as long as this object, so each test case
// starts from a file nobody wrote yet.
class FreshPaths {
public:
    // `pattern` names the files, "%1" standing for their number: "calib%1.sqset".
    explicit FreshPaths(const QString& pattern) : m_pattern(pattern) {}

    QString next() { return m_dir.filePath(m_pattern.arg(++m_count)); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_pattern;
    int m_count = 0;
};
