#pragma once

class FormModel;

// Fills any document form with its family's sample values (certificates, grade-sheet pages,
// the parents'-meeting note), so a calibration preview shows text at every position. The
// pupil's values come back at the next load of the pupil.
void vFunFillDocumentSampleData(FormModel& document);
