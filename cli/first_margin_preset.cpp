#include "first_margin_preset.h"

#include "render/margins.h"
#include "storage/error_stream.h"
#include "storage/install_check.h"
#include "storage/paths.h"

QString strFunReadFirstMarginPreset(MarginPreset& preset) {
    ErrorStream err;
    if (!bFunCheckFilesDir(err)) {
        return QStringLiteral("Błąd podczas próby sprawdzenia wymaganych plików / katalogów.\n\n") +
               err.text();
    }
    MarginPresetList presets;
    if (!bFunMarginReadData(err, strFunGetSettingsFilePath(err, false), presets))
        return QStringLiteral("Błąd podczas próby uzyskania listy ustawień.\n\n") + err.text();
    if (presets.isEmpty()) return QStringLiteral("Brak ustawień marginesów wydruku.");
    preset = presets.first();
    return QString();
}
