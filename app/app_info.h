#pragma once

#include <QString>

// The program's name and version, shown in the caption and the information window and
// compared by the update check.
namespace app_info {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 8;
inline constexpr int kVersionRelease = 0;

inline QString applicationTitle() {
    return QStringLiteral("Orvento - Halvik, klasy 4-6");
}

// "1.8.0"
inline QString versionText() {
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRelease);
}

inline QString mainWindowCaption() {
    return QStringLiteral("Drukowanie świadectw dla Szkoły Podstawowej klasy 4-6, wersja: ") +
           versionText();
}

}  // namespace app_info
