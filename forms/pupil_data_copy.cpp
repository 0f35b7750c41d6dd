#include "pupil_data_copy.h"

#include "pupil_model.h"

namespace {

const QString kSpace = QStringLiteral(" ");

QString fullName(const PupilModel& pupil) {
    return pupil.text(PupilModel::kFirstName) + kSpace + pupil.text(PupilModel::kSurname);
}

void copyToCertificate(const PupilModel& pupil, bool schoolLeaving, FormModel& doc) {
    // The ending completes a printed masculine form ("uczęszczał" + "a").
    const QString ending = pupil.isMale() ? QString() : QStringLiteral("a");
    doc.setText(QStringLiteral("ZMIENNA_ImieNazwisko_STR1_DATA_EDIT"), fullName(pupil));
    doc.setText(QStringLiteral("ZMIENNA_DataUrodzenia_STR1_DATA_EDIT"),
                pupil.text(PupilModel::kBirthDay) + kSpace + pupil.text(PupilModel::kBirthYear));
    doc.setText(QStringLiteral("ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT"),
                pupil.text(PupilModel::kBirthTown));
    if (schoolLeaving) {
        doc.setText(QStringLiteral("ZMIENNA_UkonczylA_STR1_DATA_EDIT"), ending);
    } else {
        doc.setText(QStringLiteral("ZMIENNA_UczeszczalA_STR1_DATA_EDIT"), ending);
        doc.setText(QStringLiteral("ZMIENNA_OtrzymalA_STR1_DATA_EDIT"), ending);
    }
    doc.setText(QStringLiteral("ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT"),
                pupil.text(PupilModel::kRegisterNumber));
    doc.setText(QStringLiteral("ZMIENNA_NrPesel_STR1_DATA_EDIT"), pupil.text(PupilModel::kPesel));
}

void copyToGradeSheetTitle(const PupilModel& pupil, FormModel& doc) {
    const QString ending = pupil.isMale() ? QStringLiteral("y") : QStringLiteral("a");
    doc.setText(QStringLiteral("ZMIENNA_ImieNazwisko_DATA_EDIT"), fullName(pupil));
    doc.setText(QStringLiteral("ZMIENNA_UrodzonyDnia_DATA_EDIT"), pupil.text(PupilModel::kBirthDay));
    doc.setText(QStringLiteral("ZMIENNA_UrodzonyRok_DATA_EDIT"), pupil.text(PupilModel::kBirthYear));
    // The sheet may name the place differently from the pupil data; a typed one stays.
    const QString town = QStringLiteral("ZMIENNA_UrodzonyMiasto_DATA_EDIT");
    if (doc.text(town).isEmpty()) doc.setText(town, pupil.text(PupilModel::kBirthTown));
    doc.setText(QStringLiteral("ZMIENNA_UrodzonyA_DATA_EDIT"), ending);
    doc.setText(QStringLiteral("ZMIENNA_PrzyjetyA_DATA_EDIT"), ending);
    doc.setText(QStringLiteral("ZMIENNA_WpisanyA_DATA_EDIT"), ending);
    // One box per character; boxes past the number's end are emptied, extra characters dropped.
    const QString pesel = pupil.text(PupilModel::kPesel);
    for (int box = 1; box <= 11; ++box) {
        doc.setText(QStringLiteral("ZMIENNA_Pesel%1_DATA_EDIT").arg(box), pesel.mid(box - 1, 1));
    }
}

}  // namespace

void copyPupilData(const PupilModel& pupil, DocumentFamily family, FormModel& document) {
    switch (family) {
    case DocumentFamily::PromotionCertificate:
        copyToCertificate(pupil, false, document);
        break;
    case DocumentFamily::SchoolLeavingCertificate:
        copyToCertificate(pupil, true, document);
        break;
    case DocumentFamily::GradeSheetTitlePage:
        copyToGradeSheetTitle(pupil, document);
        break;
    case DocumentFamily::MeetingReport:
        document.setText(QStringLiteral("ZMIENNA_ImieNazwisko_DATA_EDIT"), fullName(pupil));
        break;
    case DocumentFamily::GradeSheetYearPage:
        break;
    }
}

void attachPupilData(FormModel& document, const PupilModel& pupil, DocumentFamily family) {
    const PupilModel* source = &pupil;
    document.setPupilDataHook(
        [source, family](FormModel& doc) { copyPupilData(*source, family, doc); });
}
