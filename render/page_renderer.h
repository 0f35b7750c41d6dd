#pragma once

#include <QPicture>
#include <QString>
#include <QStringList>

#include <array>

#include "calibration.h"
#include "page_drawing.h"
#include "page_picture.h"

class ErrorStream;
class FormModel;
class QWidget;

// One document drawn into its two page pictures from its calibration table and the texts of
// its form. The renderer knows no window: the main window passes in its switches and flags and
// applies what comes back.

struct RenderRequest {
    const FormModel* form = nullptr;  // supplies the texts; components are looked up by name
    int type = -1;                    // document type number, 0 to 20
    bool print = false;               // for the printer: marks on, preview untouched
    int pages = 1;                    // the document's page count, handed on to the print dialog
    PrintSwitches switches;
    bool highlight = false;           // the calibration dialog is open
    QString selectedName;             // its chosen entry
    QString calibrationPath;          // the working calibration database
    QString dataDir;                  // the program data directory (pictures under "grafika/")
    QWidget* dialogParent = nullptr;  // parent of the message boxes
};

enum class RenderStatus {
    InvalidType,         // reported; pages empty
    CalibrationMissing,  // the table could not be loaded; reported; pages empty
    CalibrationEmpty,    // the table has no rows, so there is nothing to print; reported;
                         // pages empty
    Printed,             // pages ready for the print dialog
    Previewed,           // pages ready, and `preview` says what the window shows under them
};

struct RenderResult {
    RenderStatus status = RenderStatus::InvalidType;
    std::array<QPicture, 2> pages;  // always re-recorded: empty after a failure
    CalibrationList entries;        // the loaded table; empty after a failure
    int pageCount = 0;              // the page count for the print dialog; 0 after a failure
    PreviewRequests preview;        // highlight's tab and scrolling; for a preview also the
                                    // background pictures and whether "Strona 2" shows
    QStringList marksLeftOut;       // mark pictures missing or unreadable (reported): the
                                    // pages lack those marks
    QStringList backgroundsMissing;  // blank-form pictures of the preview that are missing or
                                     // unreadable (reported); the pages themselves are whole

    // The table was loaded: the window takes over the print flag and the page count.
    bool calibrationLoaded() const {
        return status == RenderStatus::Printed || status == RenderStatus::Previewed;
    }
    // Everything the document puts on paper is on the pages.
    bool complete() const { return calibrationLoaded() && marksLeftOut.isEmpty(); }
    const QPicture& page(int number) const { return pages.at(number == 2 ? 1 : 0); }
};

RenderResult renderDocumentPages(ErrorStream& err, const RenderRequest& request);

// The blank-form picture shown under page 1 of a document type ("grafika/sw_str1_prw.bmp", ...),
// relative to the program data directory; "" for an unknown type.
QString strFunPreviewPicture(int type);
