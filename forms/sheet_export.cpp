#include "sheet_export.h"

#include "certificate_family.h"
#include "field_model.h"

namespace {

QString certificateGrade(const char* stem) {
    return QStringLiteral("ZMIENNA_%1_STR2_DATA_COMBOBOX").arg(QLatin1String(stem));
}

// The certificate's grade box (either series' name) and the sheet's stem of that row.
struct GradeCopy {
    const char* certificate;
    const char* aSeriesCertificate;  // nullptr: the same name in both series
    const char* sheet;
};

const GradeCopy kGrades[] = {
    {"ZachowanieOcena", nullptr, "ZachowanieOcn"},
    {"ReligiaOcena", nullptr, "ReligiaOcn"},
    {"PolskiOcena", nullptr, "JPolskiOcn"},
    {"HistoriaOcena", nullptr, "HistoriaOcn"},
    {"JObcyOcena", nullptr, "JObcyOcn"},
    {"MatematykaOcena", nullptr, "MatematykaOcn"},
    {"PrzyrodaOcena", nullptr, "PrzyrodaOcn"},
    {"MuzykaOcenaBox", nullptr, "MuzykaOcn"},
    {"PlastykaOcena", nullptr, "PlastykaOcn"},
    {"InformatykaOcena", "ZajKomputeroweOcena", "ZajeciaKomputeroweOcn"},
    {"TechnikaOcena", "ZajTechniczneOcena", "ZajeciaTechniczneOcn"},
    {"WfOcena", nullptr, "WfOcn"},
};

}  // namespace

void vFunExportToSheet(const FormModel& certificate, FormModel& sheet, int column) {
    const CertificateMember* member = certificateMember(certificate.windowName());
    if (!member || (column != 1 && column != 2)) return;
    const QString c = QString::number(column);
    const auto from = [&certificate](const QString& name) { return certificate.text(name); };
    const auto sheetField = [](const QString& stem, const char* kind) {
        return QStringLiteral("ZMIENNA_") + stem + QLatin1String(kind);
    };

    sheet.setText(sheetField(QStringLiteral("Rok") + c, "_DATA_EDIT"),
                  from(QStringLiteral("ZMIENNA_RokSzkolny1_STR1_DATA_EDIT")) +
                      QStringLiteral(" / ") +
                      from(QStringLiteral("ZMIENNA_RokSzkolny2_STR1_DATA_EDIT")));
    // A school-leaving certificate names no class; the page keeps what it has.
    if (!member->schoolLeaving()) {
        sheet.setText(sheetField(QStringLiteral("Klasa") + c, "_DATA_EDIT"),
                      from(QStringLiteral("ZMIENNA_Klasa_STR1_DATA_EDIT")));
    }
    sheet.setText(sheetField(QStringLiteral("NrDziennika") + c, "_DATA_EDIT"),
                  from(QStringLiteral("ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT")));

    for (const GradeCopy& grade : kGrades) {
        const char* source = member->aSeries && grade.aSeriesCertificate ? grade.aSeriesCertificate
                                                                         : grade.certificate;
        sheet.setText(sheetField(QLatin1String(grade.sheet) + c, "_DATA_COMBOBOX"),
                      from(certificateGrade(source)));
    }
    sheet.setText(QStringLiteral("ZMIENNA_JObcyOpis_DATA_EDIT"),
                  from(QStringLiteral("ZMIENNA_JObcyOpis_STR2_DATA_EDIT")));

    for (int k = 1; k <= 3; ++k) {
        const QString row = QString::number(k);
        sheet.setText(QStringLiteral("ZMIENNA_DodatkowyOpis%1_DATA_EDIT").arg(k),
                      from(QStringLiteral("ZMIENNA_ObowiazkowyDod%1_STR2_DATA_EDIT").arg(k)));
        sheet.setText(
            sheetField(QStringLiteral("DodatkowyOcn") + row + c, "_DATA_COMBOBOX"),
            from(QStringLiteral("ZMIENNA_ObowiazkowyDodOcena%1_STR2_DATA_COMBOBOX").arg(k)));
        sheet.setText(QStringLiteral("ZMIENNA_DodatkowyEduOpis%1_DATA_EDIT").arg(k),
                      from(QStringLiteral("ZMIENNA_DodatkowyEdu%1_STR2_DATA_EDIT").arg(k)));
        sheet.setText(
            sheetField(QStringLiteral("DodatkowyEduOcn") + row + c, "_DATA_COMBOBOX"),
            from(QStringLiteral("ZMIENNA_DodatkowyEduOcena%1_STR2_DATA_COMBOBOX").arg(k)));
    }

    const QString memo = sheetField(QStringLiteral("Szczegolne") + c, "_DATA_MEMO");
    sheet.clearLines(memo);
    for (int k = 1; k <= 3; ++k) {
        const QString line = from(QStringLiteral("ZMIENNA_Szczegolne%1_STR2_DATA_EDIT").arg(k));
        if (!line.isEmpty()) sheet.appendLine(memo, line);
    }
}
