#include <QtTest>

#include "forms/certificate_family.h"
#include "forms/document_ids.h"
#include "forms/document_types.h"
#include "forms/field_model.h"
#include "forms/form_registry.h"
#include "forms/pupil_model.h"
#include "forms/pupil_saver.h"

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

const QStringList kCertificates{"TFKlasa4a", "TFKlasa4awyr", "TFKlasa5a", "TFKlasa5awyr",
                                "TFKonieca", "TFKoniecawyr", "TFKlasa4",  "TFKlasa4wyr",
                                "TFKlasa5",  "TFKlasa5wyr",  "TFKoniec",  "TFKoniecwyr"};

const QString kNote1 = QStringLiteral("ZMIENNA_Uposledzenie1_STR2_DATA_EDIT");
const QString kNote2 = QStringLiteral("ZMIENNA_Uposledzenie2_STR2_DATA_EDIT");

FormModel& form(FormRegistry& registry, const QString& windowName) {
    FormModel* model = registry.forModel(windowName);
    if (!model) qFatal("no form %s", qPrintable(windowName));
    return *model;
}

const Component& componentOf(FormRegistry& registry, const QString& windowName,
                             const QString& name) {
    FormModel& model = form(registry, windowName);
    const int i = model.indexOf(name);
    if (i < 0) qFatal("%s has no %s", qPrintable(windowName), qPrintable(name));
    return model.component(i);
}

QStringList grades() {
    return {u8("celujący"),    u8("bardzo dobry"),  u8("dobry"),
            u8("dostateczny"), u8("dopuszczający"), u8("niedostateczny")};
}

// Records the note line as the save sees it, and answers as scripted.
struct FakeSaver : PupilSaver {
    FormModel* certificate = nullptr;
    bool answer = true;
    QString noteAtSave;
    QString table;
    QString lead;
    int calls = 0;
    bool savePupil(const QString& replacedTable, const QString& failureLead) override {
        ++calls;
        noteAtSave = certificate->text(kNote1);
        table = replacedTable;
        lead = failureLead;
        return answer;
    }
};

}  // namespace

class TestCertificateFamily : public QObject {
    Q_OBJECT
private slots:
    void everyMemberIsDescribed();
    void titlesAndFormCodes_data();
    void titlesAndFormCodes();
    void membersDiffer_data();
    void membersDiffer();
    void gradeFiveEqualsGradeFour_data();
    void gradeFiveEqualsGradeFour();
    void fixedTexts_data();
    void fixedTexts();
    void itemLists_data();
    void itemLists();
    void readOnlyAndDisabled_data();
    void readOnlyAndDisabled();
    void sampleData_data();
    void sampleData();
    void sampleDataFillsEveryDataComponent();
    void okFillsEmptyNoteLines_data();
    void okFillsEmptyNoteLines();
    void okClosesOnlyAfterSuccessfulSave_data();
    void okClosesOnlyAfterSuccessfulSave();
    void typedGradesSurviveSaveAndLoad();
    void pupilDataReachesAllTwelve();
};

void TestCertificateFamily::everyMemberIsDescribed() {
    FormRegistry registry;
    QStringList catalogue;
    for (const DocumentType& type : documentTypes()) {
        if (type.family == DocumentFamily::PromotionCertificate ||
            type.family == DocumentFamily::SchoolLeavingCertificate)
            catalogue << type.formName;
    }
    QStringList members;
    for (const CertificateMember& m : certificateMembers()) members << m.windowName;
    QCOMPARE(members, catalogue);

    for (const CertificateMember& m : certificateMembers()) {
        const QList<Component> description = certificateComponents(m);
        const FormModel& model = form(registry, m.windowName);
        // A duplicate name would be dropped by the model and lose its place.
        QCOMPARE(model.componentCount(), description.size());
        // Layout order: all of side 1, then all of side 2.
        bool onSide2 = false;
        for (const Component& c : description) {
            const bool side2 = c.name.contains(QLatin1String("_STR2_"));
            QVERIFY2(side2 || c.name.contains(QLatin1String("_STR1_")), qPrintable(c.name));
            QVERIFY2(!onSide2 || side2, qPrintable(m.windowName + ": " + c.name));
            onSide2 = side2;
        }
    }
}

void TestCertificateFamily::titlesAndFormCodes_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("code");
    const QString gap = QStringLiteral("      ");
    const QString four = u8("Świadectwo ukończenia klasy 4 szkoły podstawowej");
    const QString five = u8("Świadectwo ukończenia klasy 5 szkoły podstawowej");
    const QString six = u8("Świadectwo ukończenia szkoły podstawowej");
    const QString wyr = u8(" z wyróżnieniem");
    QTest::newRow("TFKlasa4") << "TFKlasa4" << four << "MEN-I/3/2";
    QTest::newRow("TFKlasa4wyr") << "TFKlasa4wyr"
                                 << "MEN-I/3-w/2" + gap + four + wyr << "MEN-I/3-w/2";
    QTest::newRow("TFKlasa4a") << "TFKlasa4a"
                               << "MEN-I/3a/2" + gap + four << "MEN-I/3a/2";
    QTest::newRow("TFKlasa4awyr") << "TFKlasa4awyr"
                                  << "MEN-I/3a-w/2" + gap + four + wyr << "MEN-I/3a-w/2";
    QTest::newRow("TFKlasa5") << "TFKlasa5" << five << "MEN-I/3/2";
    QTest::newRow("TFKlasa5wyr") << "TFKlasa5wyr" << five + wyr << "MEN-I/3-w/2";
    QTest::newRow("TFKlasa5a") << "TFKlasa5a"
                               << "MEN-I/3a/2" + gap + five << "MEN-I/3a/2";
    QTest::newRow("TFKlasa5awyr") << "TFKlasa5awyr"
                                  << "MEN-I/3a-w/2" + gap + five + wyr << "MEN-I/3a-w/2";
    QTest::newRow("TFKoniec") << "TFKoniec" << six << "MEN-I/6/2";
    QTest::newRow("TFKoniecwyr") << "TFKoniecwyr" << six + wyr << "MEN-I/6-w/2";
    QTest::newRow("TFKonieca") << "TFKonieca"
                               << "MEN-I/6a/2" + gap + six << "MEN-I/6a/2";
    QTest::newRow("TFKoniecawyr") << "TFKoniecawyr"
                                  << "MEN-I/6a-w/2" + gap + six + wyr << "MEN-I/6a-w/2";
}

void TestCertificateFamily::titlesAndFormCodes() {
    QFETCH(QString, member);
    QFETCH(QString, title);
    QFETCH(QString, code);
    const CertificateMember* m = certificateMember(member);
    QVERIFY(m);
    QCOMPARE(m->windowTitle, title);
    FormRegistry registry;
    QCOMPARE(form(registry, member).text(QStringLiteral("STALY_MEN_STR1_DATA_LABEL")), code);
}

void TestCertificateFamily::membersDiffer_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("present");
    struct Row {
        const char* member;
        const char* name;
        bool present;
    };
    const Row rows[] = {
        // The family's own promotion sentence.
        {"TFKlasa4", "ZMIENNA_TakNieOtrzymal_STR1_DATA_EDIT", true},
        // The add-pupil command presets this ending on these four.
        {"TFKlasa4", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", true},
        {"TFKlasa4a", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", true},
        {"TFKlasa5", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", true},
        {"TFKlasa5a", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", true},
        {"TFKlasa4", "STALY_I_STR1_DATA_LABEL", true},
        {"TFKlasa4", "STALY_PromDoKlasy_STR1_DATA_LABEL", true},
        {"TFKlasa4", "ZMIENNA_UkonczylA_STR1_DATA_EDIT", false},
        // With distinction: promotion cannot be refused.
        {"TFKlasa4wyr", "ZMIENNA_TakNieOtrzymal_STR1_DATA_EDIT", false},
        {"TFKlasa4awyr", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", false},
        {"TFKlasa5wyr", "STALY_I_STR1_DATA_LABEL", false},
        {"TFKlasa5awyr", "STALY_PromDoKlasy_STR1_DATA_LABEL", false},
        {"TFKlasa4wyr", "STALY_Otrzymal_STR1_DATA_LABEL", true},
        {"TFKlasa4wyr", "ZMIENNA_OtrzymalA_STR1_DATA_EDIT", true},
        {"TFKlasa4wyr", "ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT", true},
        // The a series names two subjects differently.
        {"TFKlasa4a", "ZMIENNA_ZajKomputeroweOcena_STR2_DATA_COMBOBOX", true},
        {"TFKlasa4a", "ZMIENNA_ZajTechniczneOcena_STR2_DATA_COMBOBOX", true},
        {"TFKlasa4a", "ZMIENNA_InformatykaOcena_STR2_DATA_COMBOBOX", false},
        {"TFKlasa5awyr", "ZMIENNA_TechnikaOcena_STR2_DATA_COMBOBOX", false},
        {"TFKoniecawyr", "STALY_ZajKomputerowe_STR2_DATA_LABEL", true},
        {"TFKonieca", "STALY_Technika_STR2_DATA_LABEL", false},
        {"TFKoniec", "ZMIENNA_InformatykaOcena_STR2_DATA_COMBOBOX", true},
        {"TFKlasa5wyr", "ZMIENNA_TechnikaOcena_STR2_DATA_COMBOBOX", true},
        {"TFKlasa4", "STALY_ZajTechniczne_STR2_DATA_LABEL", false},
        // School-leaving: no promotion, a two-line title and "ukończył".
        {"TFKoniec", "ZMIENNA_Klasa_STR1_DATA_EDIT", false},
        {"TFKoniecwyr", "ZMIENNA_UczeszczalA_STR1_DATA_EDIT", false},
        {"TFKonieca", "ZMIENNA_TakNieOtrzymal_STR1_DATA_EDIT", false},
        {"TFKoniecawyr", "ZMIENNA_OtrzymalA_STR1_DATA_EDIT", false},
        {"TFKoniec", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", false},
        {"TFKonieca", "ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT", false},
        {"TFKoniecwyr", "ZMIENNA_UkonczylA_STR1_DATA_EDIT", true},
        {"TFKoniec", "STALY_SwiadectwoSzkolne_STR1_DATA_LABEL", false},
        {"TFKonieca", "STALY_Uczeszczal_STR1_DATA_LABEL", false},
        {"TFKoniecawyr", "STALY_DoKlasy_STR1_DATA_LABEL", false},
        {"TFKoniecwyr", "STALY_I_STR1_DATA_LABEL", false},
        {"TFKoniecwyr", "STALY_Otrzymal_STR1_DATA_LABEL", false},
        {"TFKoniecwyr", "STALY_Promocj_STR1_DATA_LABEL", false},
        {"TFKonieca", "STALY_PromDoKlasy_STR1_DATA_LABEL", false},
        {"TFKoniec", "STALY_SwiadectwoSzkolne1_STR1_DATA_LABEL", true},
        {"TFKoniecawyr", "STALY_SwiadectwoSzkolne2_STR1_DATA_LABEL", true},
        {"TFKonieca", "STALY_Ukonczyl_STR1_DATA_LABEL", true},
        {"TFKoniecwyr", "STALY_SwiadectwoJestDokumentem_STR1_DATA_LABEL", true},
        {"TFKlasa5a", "STALY_SwiadectwoJestDokumentem_STR1_DATA_LABEL", false},
        // What every member keeps.
        {"TFKoniecawyr", "ZMIENNA_SzkolaWE_STR1_DATA_EDIT", true},
        {"TFKoniecawyr", "STALY_WRokuSzkolnym_STR1_DATA_LABEL", true},
        {"TFKlasa5awyr", "ZMIENNA_Uposledzenie2_STR2_DATA_EDIT", true},
    };
    for (const Row& row : rows) {
        QTest::addRow("%s %s", row.member, row.name)
            << QString::fromLatin1(row.member) << QString::fromLatin1(row.name) << row.present;
    }
}

void TestCertificateFamily::membersDiffer() {
    QFETCH(QString, member);
    QFETCH(QString, name);
    QFETCH(bool, present);
    FormRegistry registry;
    const FormModel& model = form(registry, member);
    // Exact spelling: the stored records carry these names.
    bool found = false;
    for (int i = 0; i < model.componentCount(); ++i)
        found = found || model.component(i).name == name;
    QCOMPARE(found, present);
}

void TestCertificateFamily::gradeFiveEqualsGradeFour_data() {
    QTest::addColumn<QString>("grade4");
    QTest::addColumn<QString>("grade5");
    QTest::newRow("plain") << "TFKlasa4"
                           << "TFKlasa5";
    QTest::newRow("with distinction") << "TFKlasa4wyr"
                                      << "TFKlasa5wyr";
    QTest::newRow("a series") << "TFKlasa4a"
                              << "TFKlasa5a";
    QTest::newRow("a series with distinction") << "TFKlasa4awyr"
                                               << "TFKlasa5awyr";
}

void TestCertificateFamily::gradeFiveEqualsGradeFour() {
    QFETCH(QString, grade4);
    QFETCH(QString, grade5);
    const QList<Component> four = certificateComponents(*certificateMember(grade4));
    const QList<Component> five = certificateComponents(*certificateMember(grade5));
    QCOMPARE(five.size(), four.size());
    for (int i = 0; i < four.size(); ++i) {
        const Component& a = four.at(i);
        const Component& b = five.at(i);
        QCOMPARE(b.name, a.name);
        QCOMPARE(b.kind, a.kind);
        QCOMPARE(b.text, a.text);
        QCOMPARE(b.items, a.items);
        QCOMPARE(b.readOnly, a.readOnly);
        QCOMPARE(b.enabled, a.enabled);
        QCOMPARE(b.fontPixelHeight, a.fontPixelHeight);
        QCOMPARE(b.bold, a.bold);
    }
}

void TestCertificateFamily::fixedTexts_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    struct Row {
        const char* member;
        const char* name;
        const char* caption;
        int pixels;
        bool bold;
    };
    const Row rows[] = {
        {"TFKlasa4", "STALY_SwiadectwoSzkolne_STR1_DATA_LABEL", "ŚWIADECTWO SZKOLNE", 29, false},
        {"TFKlasa4", "STALY_ImieImionaNazwisko_STR1_DATA_LABEL", "imię (imiona) i nazwisko", 11,
         false},
        {"TFKlasa4", "STALY_Otrzymal_STR1_DATA_LABEL", "otrzymał", 16, false},
        {"TFKlasa4", "STALY_Promocj_STR1_DATA_LABEL", "promocj", 16, false},
        {"TFKlasa4awyr", "STALY_Otrzymal_STR1_DATA_LABEL", "i otrzymał", 16, false},
        {"TFKlasa5wyr", "STALY_Promocj_STR1_DATA_LABEL", "promocję z wyróżnieniem do klasy", 16,
         false},
        {"TFKlasa4wyr", "STALY_WRokuSzkolnym_STR1_DATA_LABEL", "w roku szkolnym", 16, false},
        {"TFKoniecwyr", "STALY_WRokuSzkolnym_STR1_DATA_LABEL", "z wyróżnieniem w roku szkolnym", 16,
         false},
        {"TFKonieca", "STALY_WRokuSzkolnym_STR1_DATA_LABEL", "w roku szkolnym", 16, false},
        {"TFKonieca", "STALY_SwiadectwoSzkolne1_STR1_DATA_LABEL", "ŚWIADECTWO UKOŃCZENIA", 29,
         false},
        {"TFKonieca", "STALY_SwiadectwoSzkolne2_STR1_DATA_LABEL", "SZKOŁY PODSTAWOWEJ", 29, false},
        {"TFKoniec", "STALY_SwiadectwoJestDokumentem_STR1_DATA_LABEL",
         "Świadectwo jest dokumentem potwierdzającym posiadanie wykształcenia podstawowego.", 16,
         false},
        {"TFKlasa4", "STALY_WynKlasyfikacji_STR2_DATA_LABEL", "WYNIKI KLASYFIKACJI ROCZNEJ", 16,
         false},
        {"TFKoniecawyr", "STALY_WynKlasyfikacji_STR2_DATA_LABEL", "WYNIKI KLASYFIKACJI KOŃCOWEJ",
         16, false},
        {"TFKlasa4a", "STALY_ZajKomputerowe_STR2_DATA_LABEL", "zajęcia komputerowe", 16, false},
        {"TFKlasa4a", "STALY_ZajTechniczne_STR2_DATA_LABEL", "zajęcia techniczne", 16, false},
        {"TFKlasa4", "STALY_Informatyka_STR2_DATA_LABEL", "informatyka", 16, false},
        {"TFKlasa4", "STALY_ObowiazkoweZajecia_STR2_DATA_LABEL", "Obowiązkowe zajęcia edukacyjne",
         16, true},
        {"TFKlasa4", "STALY_SzczegolneOsiagniecia_STR2_DATA_LABEL", "Szczególne osiągnięcia", 16,
         true},
        {"TFKlasa4", "STALY_Religia_STR2_DATA_LABEL", "religia/etyka", 16, false},
        // Only the plain school-leaving form names the guardian.
        {"TFKoniec", "STALY_Wychowawca_STR2_DATA_LABEL", "WYCHOWAWCA (OPIEKUN) KLASY", 13, false},
        {"TFKoniecwyr", "STALY_Wychowawca_STR2_DATA_LABEL", "WYCHOWAWCA KLASY", 13, false},
        {"TFKonieca", "STALY_Wychowawca_STR2_DATA_LABEL", "WYCHOWAWCA KLASY", 13, false},
        {"TFKlasa4", "STALY_SkalaOcen4_STR2_DATA_LABEL",
         "2) zajęcia edukacyjne, religia/etyka: celujący, bardzo dobry,", 11, false},
    };
    for (const Row& row : rows) {
        QTest::addRow("%s %s", row.member, row.name)
            << QString::fromLatin1(row.member) << QString::fromLatin1(row.name) << u8(row.caption)
            << row.pixels << row.bold;
    }
}

void TestCertificateFamily::fixedTexts() {
    QFETCH(QString, member);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    FormRegistry registry;
    const Component& c = componentOf(registry, member, name);
    QCOMPARE(c.kind, ComponentKind::Label);
    QCOMPARE(c.text, caption);
    QCOMPARE(c.fontPixelHeight, pixels);
    QCOMPARE(c.bold, bold);
    // Fixed texts survive a new pupil.
    registry.clearAll();
    QCOMPARE(form(registry, member).text(name), caption);
}

void TestCertificateFamily::itemLists_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("behaviour") << "TFKlasa4a"
                               << "ZMIENNA_ZachowanieOcena_STR2_DATA_COMBOBOX"
                               << QStringList{"wzorowe",  "bardzo dobre",   "dobre",
                                              "poprawne", "nieodpowiednie", "naganne"};
    QTest::newRow("grade") << "TFKlasa4"
                           << "ZMIENNA_PolskiOcena_STR2_DATA_COMBOBOX" << grades();
    QTest::newRow("renamed subject keeps the grade list")
        << "TFKonieca"
        << "ZMIENNA_ZajKomputeroweOcena_STR2_DATA_COMBOBOX" << grades();
    QTest::newRow("religion") << "TFKlasa5"
                              << "ZMIENNA_ReligiaOcena_STR2_DATA_COMBOBOX"
                              << grades() +
                                     QStringList{u8("nie uczęszczała"), u8("nie uczestniczyła"),
                                                 u8("nie uczęszczał"), u8("nie uczestniczył")};
    QTest::newRow("physical education")
        << "TFKoniecwyr"
        << "ZMIENNA_WfOcena_STR2_DATA_COMBOBOX" << grades() + QStringList{"zwolniona", "zwolniony"};
    const QStringList attendance =
        grades() + QStringList{u8("uczęszczała"),    u8("nie uczęszczała"), u8("uczęszczał"),
                               u8("nie uczęszczał"), u8("uczestniczyła"),   u8("nie uczestniczyła"),
                               u8("uczestniczył "),  u8("nie uczestniczył")};
    QTest::newRow("further compulsory subject")
        << "TFKlasa4awyr"
        << "ZMIENNA_ObowiazkowyDodOcena2_STR2_DATA_COMBOBOX" << attendance;
    QTest::newRow("additional activity")
        << "TFKoniec"
        << "ZMIENNA_DodatkowyEduOcena3_STR2_DATA_COMBOBOX" << attendance;
}

void TestCertificateFamily::itemLists() {
    QFETCH(QString, member);
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    FormRegistry registry;
    const Component& c = componentOf(registry, member, name);
    QCOMPARE(c.kind, ComponentKind::ComboBox);
    QCOMPARE(c.items, items);
}

void TestCertificateFamily::readOnlyAndDisabled_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("name") << "TFKlasa4a"
                          << "ZMIENNA_ImieNazwisko_STR1_DATA_EDIT" << true << false;
    QTest::newRow("birth date") << "TFKoniec"
                                << "ZMIENNA_DataUrodzenia_STR1_DATA_EDIT" << true << false;
    QTest::newRow("birth place") << "TFKlasa5"
                                 << "ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT" << true << false;
    QTest::newRow("PESEL") << "TFKoniecawyr"
                           << "ZMIENNA_NrPesel_STR1_DATA_EDIT" << true << false;
    QTest::newRow("attended ending") << "TFKlasa4"
                                     << "ZMIENNA_UczeszczalA_STR1_DATA_EDIT" << true << false;
    QTest::newRow("completed ending") << "TFKonieca"
                                      << "ZMIENNA_UkonczylA_STR1_DATA_EDIT" << true << false;
    QTest::newRow("received ending") << "TFKlasa4wyr"
                                     << "ZMIENNA_OtrzymalA_STR1_DATA_EDIT" << false << false;
    QTest::newRow("certificate number") << "TFKlasa5awyr"
                                        << "ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT" << true << true;
    QTest::newRow("promotion ending") << "TFKlasa4"
                                      << "ZMIENNA_PromocjiE_STR1_DATA_EDIT" << false << true;
    QTest::newRow("grade") << "TFKlasa4"
                           << "ZMIENNA_WfOcena_STR2_DATA_COMBOBOX" << false << true;
}

void TestCertificateFamily::readOnlyAndDisabled() {
    QFETCH(QString, member);
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    QFETCH(bool, enabled);
    FormRegistry registry;
    const Component& c = componentOf(registry, member, name);
    QCOMPARE(c.readOnly, readOnly);
    QCOMPARE(c.enabled, enabled);
}

void TestCertificateFamily::sampleData_data() {
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    struct Row {
        const char* member;
        const char* name;
        const char* value;
    };
    const Row rows[] = {
        {"TFKlasa4", "ZMIENNA_Klasa_STR1_DATA_EDIT", "czwartej"},
        {"TFKlasa4", "ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT", "piątej"},
        {"TFKlasa4", "ZMIENNA_NrSzkoly_STR1_DATA_EDIT", "1234"},
        {"TFKlasa4", "ZMIENNA_PromocjiE_STR1_DATA_EDIT", "e"},
        {"TFKlasa4", "ZMIENNA_SzkolaWoj_STR1_DATA_EDIT", "śląskie"},
        {"TFKlasa4", "ZMIENNA_ZachowanieOcena_STR2_DATA_COMBOBOX", "dobry"},
        {"TFKlasa4", "ZMIENNA_ObowiazkowyDod2_STR2_DATA_EDIT", "obowiązkowy 2"},
        {"TFKlasa4", "ZMIENNA_Szczegolne3_STR2_DATA_EDIT", "szczegolne 3"},
        // Grade 5, plain series, has its own texts; its siblings take the family's.
        {"TFKlasa5", "ZMIENNA_Klasa_STR1_DATA_EDIT", "piątej"},
        {"TFKlasa5", "ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT", "szóstej"},
        {"TFKlasa5", "ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT", "katowicach"},
        {"TFKlasa5", "ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT", "1 czerwca"},
        {"TFKlasa5", "ZMIENNA_NazwaSzkolyPodstawowej1_STR1_DATA_EDIT",
         "nazwa szkoły podstawowej 1"},
        {"TFKlasa5", "ZMIENNA_NazwaSzkolyPodstawowej2_STR1_DATA_EDIT",
         "nazwa szkoły podstawowej 2"},
        {"TFKlasa5", "ZMIENNA_NrPesel_STR1_DATA_EDIT", "123456789010"},
        {"TFKlasa5a", "ZMIENNA_Klasa_STR1_DATA_EDIT", "czwartej"},
        {"TFKlasa5wyr", "ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT", "20 czerwca"},
        // With distinction: another school number.
        {"TFKlasa4wyr", "ZMIENNA_NrSzkoly_STR1_DATA_EDIT", "12345"},
        {"TFKlasa5wyr", "ZMIENNA_NrSzkoly_STR1_DATA_EDIT", "12345"},
        {"TFKoniecawyr", "ZMIENNA_NrSzkoly_STR1_DATA_EDIT", "12345"},
        {"TFKonieca", "ZMIENNA_NrSzkoly_STR1_DATA_EDIT", "1234"},
        // School-leaving.
        {"TFKoniec", "ZMIENNA_UkonczylA_STR1_DATA_EDIT", "a"},
        {"TFKoniecawyr", "ZMIENNA_ZajTechniczneOcena_STR2_DATA_COMBOBOX", "dobry"},
        // The note lines keep what they held.
        {"TFKlasa4a", "ZMIENNA_Uposledzenie1_STR2_DATA_EDIT", "uwaga"},
        {"TFKoniec", "ZMIENNA_Uposledzenie2_STR2_DATA_EDIT", ""},
    };
    for (const Row& row : rows) {
        QTest::addRow("%s %s", row.member, row.name)
            << QString::fromLatin1(row.member) << QString::fromLatin1(row.name) << u8(row.value);
    }
}

void TestCertificateFamily::sampleData() {
    QFETCH(QString, member);
    QFETCH(QString, name);
    QFETCH(QString, value);
    FormRegistry registry;
    FormModel& model = form(registry, member);
    QVERIFY(model.hasComponent(name));
    model.setText(kNote1, QStringLiteral("uwaga"));
    vFunFillSampleData(model);
    QCOMPARE(model.text(name), value);
}

void TestCertificateFamily::sampleDataFillsEveryDataComponent() {
    // A calibration preview must show text at every position of every member.
    FormRegistry registry;
    for (const QString& member : kCertificates) {
        FormModel& model = form(registry, member);
        vFunFillSampleData(model);
        for (int i = 0; i < model.componentCount(); ++i) {
            const Component& c = model.component(i);
            if (c.kind == ComponentKind::Label || c.name == kNote1 || c.name == kNote2) continue;
            QVERIFY2(!model.text(c.name).isEmpty(), qPrintable(member + ": " + c.name));
        }
    }
}

void TestCertificateFamily::okFillsEmptyNoteLines_data() {
    QTest::addColumn<QString>("note1");
    QTest::addColumn<QString>("note2");
    QTest::addColumn<QString>("stored1");
    QTest::addColumn<QString>("stored2");
    QTest::newRow("both empty") << ""
                                << ""
                                << " "
                                << " ";
    QTest::newRow("first written") << u8("realizował program dostosowany") << ""
                                   << u8("realizował program dostosowany") << " ";
    QTest::newRow("blanks kept as typed") << "  "
                                          << " x "
                                          << "  "
                                          << " x ";
}

void TestCertificateFamily::okFillsEmptyNoteLines() {
    QFETCH(QString, note1);
    QFETCH(QString, note2);
    QFETCH(QString, stored1);
    QFETCH(QString, stored2);
    FormRegistry registry;
    FormModel& model = form(registry, QStringLiteral("TFKlasa5a"));
    model.setText(kNote1, note1);
    model.setText(kNote2, note2);
    fillEmptyNoteLines(model);

    // What the save stores, read back by a fresh run.
    RecordList records;
    QVERIFY(registry.collectAll(records));
    FormRegistry reloaded;
    reloaded.applyAll(records);
    const FormModel& back = form(reloaded, QStringLiteral("TFKlasa5a"));
    QCOMPARE(back.text(kNote1), stored1);
    QCOMPARE(back.text(kNote2), stored2);
}

void TestCertificateFamily::okClosesOnlyAfterSuccessfulSave_data() {
    QTest::addColumn<bool>("saved");
    QTest::newRow("save succeeds") << true;
    QTest::newRow("save fails") << false;
}

void TestCertificateFamily::okClosesOnlyAfterSuccessfulSave() {
    QFETCH(bool, saved);
    FormRegistry registry;
    FormModel& model = form(registry, QStringLiteral("TFKoniecawyr"));
    FakeSaver saver;
    saver.certificate = &model;
    saver.answer = saved;
    QCOMPARE(acceptCertificate(model, saver, QStringLiteral("PESEL123")), saved);
    QCOMPARE(saver.calls, 1);
    QCOMPARE(saver.noteAtSave, QStringLiteral(" "));  // the rule runs before the save
    QCOMPARE(saver.table, QStringLiteral("PESEL123"));
    QCOMPARE(saver.lead, u8("Błąd zapisu danych.\n\n"));
    // A failed save leaves the values in the window.
    QCOMPARE(model.text(kNote2), QStringLiteral(" "));
}

void TestCertificateFamily::typedGradesSurviveSaveAndLoad() {
    const QString polish = QStringLiteral("ZMIENNA_PolskiOcena_STR2_DATA_COMBOBOX");
    const QString activity = QStringLiteral("ZMIENNA_DodatkowyEduOcena1_STR2_DATA_COMBOBOX");
    const QString computing = QStringLiteral("ZMIENNA_ZajKomputeroweOcena_STR2_DATA_COMBOBOX");
    FormRegistry registry;
    FormModel& certificate = form(registry, QStringLiteral("TFKlasa4a"));
    certificate.setText(polish, QStringLiteral("bdb"));
    certificate.setText(activity, u8("uczestniczył "));
    certificate.setText(computing, u8("bardzo dobry"));
    form(registry, QStringLiteral("TFKoniec")).setText(polish, QStringLiteral("cel"));

    RecordList records;
    QVERIFY(registry.collectAll(records));
    FormRegistry reloaded;
    reloaded.applyAll(records);
    const FormModel& back = form(reloaded, QStringLiteral("TFKlasa4a"));
    QCOMPARE(back.text(polish), QStringLiteral("bdb"));
    QCOMPARE(back.text(activity), u8("uczestniczył "));
    QCOMPARE(back.text(computing), u8("bardzo dobry"));
    QCOMPARE(form(reloaded, QStringLiteral("TFKoniec")).text(polish), QStringLiteral("cel"));
    // Same component name, other document: untouched.
    QCOMPARE(form(reloaded, QStringLiteral("TFKlasa4")).text(polish), QString());
}

void TestCertificateFamily::pupilDataReachesAllTwelve() {
    const QString pupilId = QString::fromLatin1(DocumentIds::kPupilData);
    for (const QString& sex : {PupilModel::kFemale, PupilModel::kMale}) {
        const QString ending = sex == PupilModel::kMale ? QString() : QStringLiteral("a");
        const RecordList stored{
            FieldRecord::make(pupilId, PupilModel::kFirstName, QStringLiteral("Ola")),
            FieldRecord::make(pupilId, PupilModel::kSurname, QStringLiteral("Nowak")),
            FieldRecord::make(pupilId, PupilModel::kSex, sex),
            FieldRecord::make(pupilId, PupilModel::kBirthDay, u8("3 maja")),
            FieldRecord::make(pupilId, PupilModel::kBirthYear, QStringLiteral("2001 r.")),
            FieldRecord::make(pupilId, PupilModel::kBirthTown, u8("Łódź")),
            FieldRecord::make(pupilId, PupilModel::kRegisterNumber, QStringLiteral("17")),
            FieldRecord::make(pupilId, PupilModel::kPesel, QStringLiteral("01250312345")),
        };
        FormRegistry registry;
        registry.applyAll(stored);
        for (const CertificateMember& m : certificateMembers()) {
            const FormModel& c = form(registry, m.windowName);
            const QString tag = m.windowName + " " + sex;
            QVERIFY2(c.text("ZMIENNA_ImieNazwisko_STR1_DATA_EDIT") == "Ola Nowak", qPrintable(tag));
            QVERIFY2(c.text("ZMIENNA_DataUrodzenia_STR1_DATA_EDIT") == u8("3 maja 2001 r."),
                     qPrintable(tag));
            QVERIFY2(c.text("ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT") == u8("Łódź"),
                     qPrintable(tag));
            QVERIFY2(c.text("ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT") == "17", qPrintable(tag));
            QVERIFY2(c.text("ZMIENNA_NrPesel_STR1_DATA_EDIT") == "01250312345", qPrintable(tag));
            const QStringList endings = m.schoolLeaving()
                                            ? QStringList{"ZMIENNA_UkonczylA_STR1_DATA_EDIT"}
                                            : QStringList{"ZMIENNA_UczeszczalA_STR1_DATA_EDIT",
                                                          "ZMIENNA_OtrzymalA_STR1_DATA_EDIT"};
            for (const QString& name : endings) {
                QVERIFY2(c.hasComponent(name), qPrintable(tag + " " + name));
                QVERIFY2(c.text(name) == ending, qPrintable(tag + " " + name));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestCertificateFamily)
#include "tst_certificate_family.moc"
