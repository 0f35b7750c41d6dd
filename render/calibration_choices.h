#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "calibration.h"

// What the calibration dialog decides without a window: which entries it offers, which
// document previews a table, and the entry its fields make.

// The entry names the dialog offers, in table order: all of them in the advanced mode, only
// the variable data ("ZMIENNA") in the basic one.
QStringList strFunOfferedEntryNames(const CalibrationList& entries, bool advanced);

// The document that previews a calibration table, and how the "Wyłącz kropki" switch must
// stand so that the renderer picks that very table.
struct CalibrationPreviewTarget {
    enum class NoDots { Off, On, Unchanged };
    int type = -1;  // document type number
    NoDots noDots = NoDots::Unchanged;
};
// std::nullopt for a table no document prints from.
std::optional<CalibrationPreviewTarget> calibrationPreviewTarget(const QString& table);

// The dialog's fields as the user left them.
struct CalibrationFields {
    QString name;
    QString x1, y1, x2, y2, fontSize;  // the texts of the edits
    QString fontName;
    int align = -1;  // item index of the alignment list; -1 when none is chosen
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

// The entry the fields describe. A number field that does not hold an integer makes no entry:
// `message` then names the field.
std::optional<CalibrationEntry> entryFromFields(const CalibrationFields& fields, QString& message);

// The message of a number field (named by its label) that holds no integer.
QString strFunNotAnIntegerMessage(const QString& fieldLabel, const QString& text);

// The whole-number value of a field, or std::nullopt ("12", " -3 "; not "1.5", "", "abc", or a
// value beyond 32 bits).
std::optional<int> integerField(const QString& text);

// `value` moved by `step`, stopping at the ends of the int range instead of wrapping.
int shiftedCoordinate(int value, int step);
