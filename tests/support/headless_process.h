#pragma once

#include <QFile>
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
