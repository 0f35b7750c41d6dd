#pragma once

#include "document_types.h"

class FormModel;
class PupilModel;

// Writes the pupil data a document of `family` shows into its components (year pages: none).
void copyPupilData(const PupilModel& pupil, DocumentFamily family, FormModel& document);

// Makes every apply of `document` end with the copy from `pupil`, which must outlive it.
void attachPupilData(FormModel& document, const PupilModel& pupil, DocumentFamily family);
