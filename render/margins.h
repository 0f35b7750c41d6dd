#pragma once

#include <QList>
#include <QString>

#include "storage/error_stream.h"

// Margin presets of the print dialog: the `margin` table of the settings database
// (strFunGetSettingsFilePath: the working copy, or the shipped one to restore from). One row
// per preset; the first row is the standard preset the dialog selects by default. All values
// are millimetres on the sheet; X1/Y1 is the top-left and X2/Y2 the bottom-right corner of
// where a page is drawn.
struct MarginPreset {
    // Longest name a preset keeps; longer ones are cut.
    static constexpr int kMaxNameLength = 255;

    QString name;
    int Page1X1 = 0, Page1Y1 = 0, Page1X2 = 0, Page1Y2 = 0;
    int Page2X1 = 0, Page2Y1 = 0, Page2X2 = 0, Page2Y2 = 0;
};

using MarginPresetList = QList<MarginPreset>;

// Reads every preset of the database at `path` into `list` (emptied first), in stored order.
bool bFunMarginReadData(ErrorStream& err, QString path, MarginPresetList& list);

// Appends `preset` as a new row (the caller refuses names already present).
bool bFunMarginWriteNewSettings(ErrorStream& err, QString path, const MarginPreset& preset);

// Deletes the preset(s) called `name`.
bool bFunMarginDeleteSettings(ErrorStream& err, QString path, QString name);

// Replaces the working presets at `targetPath` with the shipped ones at `sourcePath`.
bool bFunMarginRestoreOriginal(ErrorStream& err, QString sourcePath, QString targetPath);
