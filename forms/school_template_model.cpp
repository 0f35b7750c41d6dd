#include "school_template_model.h"

#include <iterator>

#include "certificate_family.h"
#include "document_types.h"

namespace {

struct FieldPair {
    const char* templateField;
    const char* documentField;
    bool classField = false;  // school-leaving certificates have none
};

// The certificate tab, in window order, with the certificate field each one fills.
const FieldPair kCertificateFields[] = {
    {"ZMIENNA_RokSzkolny1_DATA_EDIT", "ZMIENNA_RokSzkolny1_STR1_DATA_EDIT"},
    {"ZMIENNA_RokSzkolny2_DATA_EDIT", "ZMIENNA_RokSzkolny2_STR1_DATA_EDIT"},
    {"ZMIENNA_Klasa_DATA_EDIT", "ZMIENNA_Klasa_STR1_DATA_EDIT", true},
    {"ZMIENNA_NazwaSzkolyPodstawowej1_DATA_EDIT", "ZMIENNA_NazwaSzkolyPodstawowej1_STR1_DATA_EDIT"},
    {"ZMIENNA_NazwaSzkolyPodstawowej2_DATA_EDIT", "ZMIENNA_NazwaSzkolyPodstawowej2_STR1_DATA_EDIT"},
    {"ZMIENNA_SzkolaNr_DATA_EDIT", "ZMIENNA_NrSzkoly_STR1_DATA_EDIT"},
    {"ZMIENNA_SzkolaIm1_DATA_EDIT", "ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT"},
    {"ZMIENNA_SzkolaIm2_DATA_EDIT", "ZMIENNA_ImieSzkoly2_STR1_DATA_EDIT"},
    {"ZMIENNA_SzkolaWE_DATA_EDIT", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT"},
    {"ZMIENNA_SzkolaMiasto_DATA_EDIT", "ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT"},
    {"ZMIENNA_SzkolaWoj_DATA_EDIT", "ZMIENNA_SzkolaWoj_STR1_DATA_EDIT"},
    {"ZMIENNA_PromocjaKlasa_DATA_EDIT", "ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT", true},
    {"ZMIENNA_Miejscowosc_DATA_EDIT", "ZMIENNA_Miejscowosc_STR1_DATA_EDIT"},
    {"ZMIENNA_MiejscowoscDnia_DATA_EDIT", "ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT"},
    {"ZMIENNA_MiejscowoscRok_DATA_EDIT", "ZMIENNA_MiejscowoscRok_STR1_DATA_EDIT"},
    {"ZMIENNA_JObcy_DATA_EDIT", "ZMIENNA_JObcyOpis_STR2_DATA_EDIT"},
    {"ZMIENNA_ObowiazkoweEdu1_DATA_EDIT", "ZMIENNA_ObowiazkowyDod1_STR2_DATA_EDIT"},
    {"ZMIENNA_ObowiazkoweEdu2_DATA_EDIT", "ZMIENNA_ObowiazkowyDod2_STR2_DATA_EDIT"},
    {"ZMIENNA_ObowiazkoweEdu3_DATA_EDIT", "ZMIENNA_ObowiazkowyDod3_STR2_DATA_EDIT"},
    {"ZMIENNA_DodatkoweEdu1_DATA_EDIT", "ZMIENNA_DodatkowyEdu1_STR2_DATA_EDIT"},
    {"ZMIENNA_DodatkoweEdu2_DATA_EDIT", "ZMIENNA_DodatkowyEdu2_STR2_DATA_EDIT"},
    {"ZMIENNA_DodatkoweEdu3_DATA_EDIT", "ZMIENNA_DodatkowyEdu3_STR2_DATA_EDIT"},
};

// The grade sheet tab: the title pages carry the same names.
const char* const kTitlePageFields[] = {
    "ZMIENNA_NazwaSzkoly1_DATA_EDIT",
    "ZMIENNA_NazwaSzkoly2_DATA_EDIT",
    "ZMIENNA_NazwaSzkoly3_DATA_EDIT",
    "ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez1_DATA_EDIT",
    "ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez2_DATA_EDIT",
    "ZMIENNA_SzkolaNiepublicznaPodNr_DATA_EDIT",
};

// The parents'-meeting note: its fourth and fifth subjects are the teacher's own.
const FieldPair kNoteFields[] = {
    {"ZMIENNA_RokSzkolny1_DATA_EDIT", "ZMIENNA_RokSzkolny1_DATA_EDIT"},
    {"ZMIENNA_RokSzkolny2_DATA_EDIT", "ZMIENNA_RokSzkolny2_DATA_EDIT"},
    {"ZMIENNA_Klasa_DATA_EDIT", "ZMIENNA_Klasa_DATA_EDIT"},
    {"ZMIENNA_JObcy_DATA_EDIT", "ZMIENNA_JObcyOpis_DATA_EDIT"},
    {"ZMIENNA_ObowiazkoweEdu1_DATA_EDIT", "ZMIENNA_Dodatkowy1_DATA_EDIT"},
    {"ZMIENNA_ObowiazkoweEdu2_DATA_EDIT", "ZMIENNA_Dodatkowy2_DATA_EDIT"},
    {"ZMIENNA_ObowiazkoweEdu3_DATA_EDIT", "ZMIENNA_Dodatkowy3_DATA_EDIT"},
};

const QString kFirstYear = QStringLiteral("ZMIENNA_RokSzkolny1_DATA_EDIT");
const QString kSecondYear = QStringLiteral("ZMIENNA_RokSzkolny2_DATA_EDIT");

QString latin1(const char* name) {
    return QString::fromLatin1(name);
}

const DocumentType* typeOfForm(const QString& formName) {
    for (const DocumentType& type : documentTypes()) {
        if (type.formName == formName) return &type;
    }
    return nullptr;
}

enum class Direction { ToDocument, ToTemplate };

// A document field may hold fewer characters than the template's (the note's class, years and
// subjects): the value is cut to what the field takes, as typing would have been stopped.
void setFitted(FormModel& form, const QString& field, const QString& value) {
    const int index = form.indexOf(field);
    if (index < 0) return;
    const int limit = form.component(index).maxLength;
    form.setText(field, limit > 0 ? value.left(limit) : value);
}

void copyPairs(const FieldPair* begin, const FieldPair* end, bool withClassFields,
               Direction direction, const FormModel& from, FormModel& to) {
    for (const FieldPair* pair = begin; pair != end; ++pair) {
        if (pair->classField && !withClassFields) continue;
        const QString templateField = latin1(pair->templateField);
        const QString documentField = latin1(pair->documentField);
        if (direction == Direction::ToDocument)
            setFitted(to, documentField, from.text(templateField));
        else
            setFitted(to, templateField, from.text(documentField));
    }
}

void copyTitlePage(const FormModel& from, FormModel& to) {
    for (const char* field : kTitlePageFields) setFitted(to, latin1(field), from.text(latin1(field)));
}

void copyCertificate(const CertificateMember& member, Direction direction, const FormModel& from,
                     FormModel& to) {
    copyPairs(std::begin(kCertificateFields), std::end(kCertificateFields),
              !member.schoolLeaving(), direction, from, to);
}

}  // namespace

QList<Component> schoolTemplateComponents() {
    QList<Component> components;
    for (const FieldPair& pair : kCertificateFields)
        components.append(Component::named(latin1(pair.templateField)));
    for (const char* field : kTitlePageFields) components.append(Component::named(latin1(field)));
    return components;
}

void vFunDefaultSchoolYears(FormModel& schoolTemplate, int currentYear) {
    if (schoolTemplate.text(kFirstYear).isEmpty())
        schoolTemplate.setText(kFirstYear, QString::number(currentYear - 1));
    if (schoolTemplate.text(kSecondYear).isEmpty())
        schoolTemplate.setText(kSecondYear, QString::number(currentYear));
}

const QList<TemplateSource>& templateSources() {
    // "koniec" entries: plain, a series, with distinction, a series with distinction.
    static const QList<TemplateSource> sources = {
        {QStringLiteral("MEN-I/3a/2 kl. 4"), QStringLiteral("TFKlasa4a")},
        {QStringLiteral("MEN-I/3a-w/2 kl. 4 wyr."), QStringLiteral("TFKlasa4awyr")},
        {QStringLiteral("MEN-I/3a/2 kl. 5."), QStringLiteral("TFKlasa5a")},
        {QStringLiteral("MEN-I/3a-w/2 kl. 5 wyr."), QStringLiteral("TFKlasa5awyr")},
        {QStringLiteral("MEN-I/6/2 koniec"), QStringLiteral("TFKoniec")},
        {QStringLiteral("MEN-I/6a/2 koniec"), QStringLiteral("TFKonieca")},
        {QStringLiteral("MEN-I/6-w/2 koniec wyr."), QStringLiteral("TFKoniecwyr")},
        {QStringLiteral("MEN-I/6a-w/2 koniec wyr."), QStringLiteral("TFKoniecawyr")},
        {QStringLiteral("MEN-I/37/2 arkusz str1."), QStringLiteral("TFArkuszStr1")},
        {QStringLiteral("MEN-I/37b/2 arkusz str 1."), QStringLiteral("TFArkuszStr1b")},
    };
    return sources;
}

void vFunCopyTemplateToDocument(const FormModel& schoolTemplate, FormModel& document) {
    const DocumentType* type = typeOfForm(document.windowName());
    if (!type) return;
    switch (type->family) {
    case DocumentFamily::PromotionCertificate:
    case DocumentFamily::SchoolLeavingCertificate:
        if (const CertificateMember* member = certificateMember(document.windowName()))
            copyCertificate(*member, Direction::ToDocument, schoolTemplate, document);
        break;
    case DocumentFamily::GradeSheetTitlePage:
        copyTitlePage(schoolTemplate, document);
        break;
    case DocumentFamily::MeetingReport:
        copyPairs(std::begin(kNoteFields), std::end(kNoteFields), true, Direction::ToDocument,
                  schoolTemplate, document);
        break;
    case DocumentFamily::GradeSheetYearPage:
        break;
    }
}

void vFunCopyToTemplate(const FormModel& source, FormModel& schoolTemplate) {
    if (const CertificateMember* member = certificateMember(source.windowName())) {
        copyCertificate(*member, Direction::ToTemplate, source, schoolTemplate);
        return;
    }
    const DocumentType* type = typeOfForm(source.windowName());
    if (type && type->family == DocumentFamily::GradeSheetTitlePage)
        copyTitlePage(source, schoolTemplate);
}
