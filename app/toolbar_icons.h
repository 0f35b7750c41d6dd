#pragma once

#include <QIcon>

// The tool bar's 32x32 pictures and the program's icon, drawn rather than shipped so they stay
// sharp and need no files.

enum class ToolIcon {
    NewSheet,
    OpenFolder,
    Save,
    School,
    PupilAdd,
    PupilEdit,
    PupilRemove,
    DocumentEdit,
    Printer,
    Help,
    Envelope,
    Import,
};

QIcon toolBarIcon(ToolIcon icon);
QIcon programIcon();
