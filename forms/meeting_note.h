#pragma once

#include <QList>

#include "field_model.h"

// The parents'-meeting note: one page listing, per subject, the marks a pupil has had so far
// in the semester. Every data component is a limited one-line edit, except the semester.
inline constexpr char kMeetingNoteWindow[] = "TFWywiadowka";
inline constexpr char kMeetingNoteTitle[] = "Wywiadówka";

// Data components in layout order, then the fixed texts.
QList<Component> meetingNoteComponents();
// The fixed texts alone (printed wherever the calibration has entries of their names).
QList<Component> meetingNoteLabels();

// The note's sample values for the calibration preview. Other forms are left alone.
void fillMeetingNoteSampleData(FormModel& note);
