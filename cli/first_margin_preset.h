#pragma once

#include <QString>

struct MarginPreset;

// The first margin preset of the working settings (the one the print dialog selects when it
// opens), after the start-up installation a windowed start runs first. "" on success, else the
// Polish message to print.
QString strFunReadFirstMarginPreset(MarginPreset& preset);
