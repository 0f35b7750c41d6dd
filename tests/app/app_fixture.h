#pragma once

#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QTest>

#include "app/main_window.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/settings_store.h"

// Helpers shared by the main window's tests. Each test still builds its own TestEnvironment
// and ScriptedPrompter, so what it depends on stays visible in the test.

// The start-up installation into the test's fresh data folder, so the settings can be set
// before the main window starts.
inline void installProgramFiles() {
    ErrorStream err;
    QVERIFY2(bFunCheckFilesDir(err), qPrintable(err.text()));
}

inline void writeSetting(const QString& key, int value) {
    ErrorStream err;
    QVERIFY2(bFunSqlSettingWriteValue(err, key, value), qPrintable(err.text()));
}

inline void writeSetting(const QString& key, const QString& value) {
    ErrorStream err;
    QVERIFY2(bFunSqlSettingWriteValue(err, key, value), qPrintable(err.text()));
}

inline int readSetting(const QString& key) {
    ErrorStream err;
    int value = -1;
    if (!bFunSqlGetSettingsValue(err, key, value)) qWarning("%s", qPrintable(err.text()));
    return value;
}

// A menu entry's text as the user reads it, without the "&" of its mnemonic.
inline QString shownText(const QAction* action) {
    return QString(action->text()).remove(QLatin1Char('&'));
}

// The main menu entry with this text, or nullptr.
inline QAction* mainMenuAction(const TFGlowna& window, const QString& text) {
    for (QAction* menu : window.menuBar()->actions()) {
        if (!menu->menu()) continue;
        for (QAction* action : menu->menu()->actions()) {
            if (shownText(action) == text) return action;
        }
    }
    return nullptr;
}
