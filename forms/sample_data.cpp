#include "sample_data.h"

#include "certificate_family.h"
#include "grade_sheet_family.h"
#include "meeting_note.h"

void vFunFillDocumentSampleData(FormModel& document) {
    // Each family's fill leaves the forms of the other families alone.
    vFunFillSampleData(document);
    fillGradeSheetSampleData(document);
    fillMeetingNoteSampleData(document);
}
