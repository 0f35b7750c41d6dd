#pragma once

#include <QList>
#include <QString>

#include "field_model.h"

// One page of the pupil's grade sheet. Two series: the basic one (title page and the insert
// pages 6, 7 and 8, each with two school years) and the b series "MEN-I/37b/2" (title page,
// one page each for grades 4 and 5, and a grade 6 page with an annual and a final column).
// The members differ only by the data below; the components follow from it.
struct GradeSheetMember {
    // A certificate whose data a year page can take over, as the page's choice list offers it.
    struct CertificateChoice {
        QString caption;           // "czwarta z wyr."
        QString sourceWindowName;  // "TFKlasa4wyr"
    };

    QString windowName;  // "TFArkuszStr6b": the form model's window name
    QString windowTitle;
    bool bSeries = false;
    int page = 1;     // 1 (title page), 6, 7 or 8
    int columns = 0;  // school years side by side: 0 on title pages, else 1 or 2
    QList<CertificateChoice> certificateChoices;  // year pages only, in the list's order

    bool titlePage() const { return page == 1; }
    // The series' form code: "MEN-I/37/2" or "MEN-I/37b/2".
    QString formCode() const;
};

// The eight members: TFArkuszStr1, TFArkuszStr1b, TFArkuszStr6, TFArkuszStr7, TFArkuszStr8,
// TFArkuszStr6b, TFArkuszStr7b, TFArkuszStr8b.
const QList<GradeSheetMember>& gradeSheetMembers();
// nullptr when `windowName` names no grade-sheet page (exact spelling).
const GradeSheetMember* gradeSheetMember(const QString& windowName);

// The member's data components in layout order, then its fixed texts.
QList<Component> gradeSheetComponents(const GradeSheetMember& member);
// The fixed texts of the member's page kind (title page or year page), with this member's
// captions. The b series prints them; the basic series' windows only draw them.
QList<Component> gradeSheetLabels(const GradeSheetMember& member);

// The memo line limits of the year pages.
inline constexpr int kAchievementLines = 8;  // ZMIENNA_Szczegolne<c>_DATA_MEMO
inline constexpr int kExaminationLines = 7;  // ZMIENNA_InfoOEgzaminach<c>_DATA_MEMO
inline constexpr int kResolutionLines = 5;   // ZMIENNA_DataUchwaly<c>_DATA_MEMO
inline constexpr int kTestResultLines = 3;   // the WynikSprawdzianu memos of page 8

// Fills every data component of a grade-sheet page with a text naming it (memos to their line
// limit), so a calibration preview shows text at every position. Other forms are left alone.
void fillGradeSheetSampleData(FormModel& page);
