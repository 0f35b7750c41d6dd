#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QProcessEnvironment>
#include <QTemporaryDir>

// The environment of the built program as a user runs it from a terminal without a display:
// any attempt to open a window would fail, so a command-line mode that tried is caught.
inline QProcessEnvironment headlessEnvironment() {
    static QTemporaryDir runtimeDir;  // Qt wants one; without it, it warns on stderr
    QFile::setPermissions(runtimeDir.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("XDG_RUNTIME_DIR", runtimeDir.path());
    return environment;
}

// What a run of a program in that environment gave; exitCode -1 when it crashed or hung.
struct HeadlessRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline HeadlessRun runHeadless(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(headlessEnvironment());
    process.start(program, arguments);
    HeadlessRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
