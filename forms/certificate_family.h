#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include "field_model.h"

struct PupilSaver;

// One of the twelve certificates. The grade, the distinction and the series decide its
// components; what no axis explains is listed as the member's own difference.
struct CertificateMember {
    QString windowName;  // "TFKlasa4a": the form model's window name
    int grade = 4;       // 4 or 5: promotion certificate; 6: school-leaving certificate
    bool distinction = false;
    bool aSeries = false;
    QString windowTitle;
    QList<QPair<QString, QString>> ownCaptions;    // fixed text name -> caption
    QList<QPair<QString, QString>> ownSampleData;  // data component name -> sample text

    bool schoolLeaving() const { return grade == 6; }
    // The printed form code, the caption of STALY_MEN_STR1_DATA_LABEL ("MEN-I/3a-w/2").
    QString formCode() const;
};

// The twelve members in catalogue order.
const QList<CertificateMember>& certificateMembers();
// nullptr when `windowName` names no certificate (exact spelling).
const CertificateMember* certificateMember(const QString& windowName);

// The member's components in layout order: side 1 top to bottom, then side 2.
QList<Component> certificateComponents(const CertificateMember& member);

// Puts a fixed sample text into every data component of a certificate except the two note
// lines, so a calibration preview shows text at every position. Other forms are left alone.
void vFunFillSampleData(FormModel& certificate);

// The two note lines at the top of side 2 get one blank when left empty: stored that way, they
// count as filled when printed.
void fillEmptyNoteLines(FormModel& certificate);

// "OK" of a certificate window: the note-line rule, then the whole-pupil save. True when the
// save succeeded and the window may close; on failure the saver has shown its message.
bool acceptCertificate(FormModel& certificate, PupilSaver& saver, const QString& currentTable);
