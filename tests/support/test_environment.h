#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private world for one test: its own XDG data folder (so the program data directory is
// fresh) and its own installation directory holding a copy of the shipped files.
class TestEnvironment {
public:
    // `withShippedFiles` copies the build's shipped files into the installation directory.
    explicit TestEnvironment(bool withShippedFiles = true);
    ~TestEnvironment();

    QString dataHome() const;         // XDG_DATA_HOME
    QString installDir() const;       // what strFunGetExeDirPath() returns
    QString mainDir() const;          // the program data directory the program will use
    QString fixture(const QString& name) const;  // a copy of tests/data/<name> in a temp dir

private:
    QTemporaryDir m_root;
    QByteArray m_previousDataHome;  // restored on destruction, so no later test writes into a deleted folder
    bool m_hadDataHome = false;
};
