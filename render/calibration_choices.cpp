#include "calibration_choices.h"

#include <limits>

#include "forms/document_types.h"

QStringList strFunOfferedEntryNames(const CalibrationList& entries, bool advanced) {
    QStringList names;
    for (const CalibrationEntry& entry : entries) {
        if (advanced || entry.name.contains(QLatin1String("ZMIENNA"))) names << entry.name;
    }
    return names;
}

std::optional<CalibrationPreviewTarget> calibrationPreviewTarget(const QString& table) {
    using NoDots = CalibrationPreviewTarget::NoDots;
    for (const DocumentType& type : documentTypes()) {
        // Only the certificates have a second set, chosen by the switch. The note has one table,
        // yet its preview shows it with the switch off; the grade-sheet pages leave it alone.
        const bool certificate = !type.keyWithoutDots.isEmpty();
        if (table == type.key) {
            if (certificate || type.family == DocumentFamily::MeetingReport)
                return {{type.number, NoDots::Off}};
            return {{type.number, NoDots::Unchanged}};
        }
        if (certificate && table == type.keyWithoutDots) return {{type.number, NoDots::On}};
    }
    return std::nullopt;
}

QString strFunNotAnIntegerMessage(const QString& fieldLabel, const QString& text) {
    return QStringLiteral("Pole „%1” musi zawierać liczbę całkowitą, a zawiera „%2”.\n"
                          "Nic nie zostało zapisane.")
        .arg(fieldLabel, text);
}

std::optional<int> integerField(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

std::optional<CalibrationEntry> entryFromFields(const CalibrationFields& fields, QString& message) {
    CalibrationEntry entry;
    const struct {
        const char* label;
        const QString& text;
        int& target;
    } numbers[] = {{"X1", fields.x1, entry.x1},
                   {"Y1", fields.y1, entry.y1},
                   {"X2", fields.x2, entry.x2},
                   {"Y2", fields.y2, entry.y2},
                   {"Rozmiar czcionki", fields.fontSize, entry.font_size}};
    for (const auto& number : numbers) {
        const std::optional<int> value = integerField(number.text);
        if (!value) {
            message = strFunNotAnIntegerMessage(QString::fromUtf8(number.label), number.text);
            return std::nullopt;
        }
        number.target = *value;
    }
    entry.name = fields.name;
    entry.font_name = fields.fontName.left(CalibrationEntry::kMaxFontNameLength);
    entry.font_align = fields.align;
    entry.font_style_bold = fields.bold ? 1 : 0;
    entry.font_style_italic = fields.italic ? 1 : 0;
    entry.font_style_underline = fields.underline ? 1 : 0;
    entry.font_style_strike = fields.strike ? 1 : 0;
    return entry;
}

int shiftedCoordinate(int value, int step) {
    const qint64 moved = qint64(value) + step;
    return int(qBound(qint64(std::numeric_limits<int>::min()), moved,
                      qint64(std::numeric_limits<int>::max())));
}
