#include "certificate_family.h"

#include "component_builders.h"
#include "pupil_saver.h"

namespace {

using Components = QList<Component>;
using NamedTexts = QList<QPair<QString, QString>>;

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// --- Building blocks -------------------------------------------------------------------------

// Fixed texts are Times New Roman, 16 pixels high unless the form says otherwise.
constexpr int kLabelPixels = 16;
constexpr int kCaptionPixels = 11;  // the small captions under blanks and the grading scale

Component label(const char* name, const char* caption, int pixels = kLabelPixels,
                bool bold = false) {
    Component c = Component::named(u8(name), u8(caption));
    c.fontPixelHeight = pixels;
    c.bold = bold;
    return c;
}

Component boldLabel(const char* name, const char* caption) {
    return label(name, caption, kLabelPixels, true);
}

Component edit(const char* name) {
    return Component::named(u8(name));
}

// Filled by the program from the pupil data; the user cannot change it here.
Component copiedEdit(const char* name) {
    Component c = edit(name);
    c.readOnly = true;
    c.enabled = false;
    return c;
}

Component combo(const char* name, const QStringList& items) {
    Component c = Component::named(u8(name));
    c.items = items;
    return c;
}

QStringList utf8List(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) list << u8(text);
    return list;
}

// The item lists only suggest; any typed text is kept.
using builders::behaviourItems;
using builders::gradeItems;
using builders::religionItems;

const QStringList& physicalEducationItems() {
    static const QStringList items = gradeItems() + utf8List({"zwolniona", "zwolniony"});
    return items;
}

// "uczestniczył " keeps its trailing blank: stored files hold it that way.
const QStringList& attendanceItems() {
    static const QStringList items =
        gradeItems() +
        utf8List({"uczęszczała", "nie uczęszczała", "uczęszczał", "nie uczęszczał", "uczestniczyła",
                  "nie uczestniczyła", "uczestniczył ", "nie uczestniczył"});
    return items;
}

// --- The family's description: the grade 4 certificate, plain series -------------------------

Components side1() {
    return {
        label("STALY_MEN_STR1_DATA_LABEL", ""),  // the member's form code
        label("STALY_SwiadectwoSzkolne_STR1_DATA_LABEL", "ŚWIADECTWO SZKOLNE", 29),
        copiedEdit("ZMIENNA_ImieNazwisko_STR1_DATA_EDIT"),
        label("STALY_ImieImionaNazwisko_STR1_DATA_LABEL", "imię (imiona) i nazwisko",
              kCaptionPixels),
        copiedEdit("ZMIENNA_DataUrodzenia_STR1_DATA_EDIT"),
        label("STALY_DataUrodzenia_STR1_DATA_LABEL", "data urodzenia", kCaptionPixels),
        copiedEdit("ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT"),
        label("STALY_MiejsceUrodzenia_STR1_DATA_LABEL", "miejsce urodzenia", kCaptionPixels),
        copiedEdit("ZMIENNA_NrPesel_STR1_DATA_EDIT"),
        label("STALY_NrPesel_STR1_DATA_LABEL", "numer PESEL", kCaptionPixels),
        label("STALY_Uczeszczal_STR1_DATA_LABEL", "uczęszczał"),
        copiedEdit("ZMIENNA_UczeszczalA_STR1_DATA_EDIT"),
        label("STALY_WRokuSzkolnym_STR1_DATA_LABEL", "w roku szkolnym"),
        edit("ZMIENNA_RokSzkolny1_STR1_DATA_EDIT"),
        label("STALY_SlashRok_STR1_DATA_LABEL", "/"),
        edit("ZMIENNA_RokSzkolny2_STR1_DATA_EDIT"),
        label("STALY_DoKlasy_STR1_DATA_LABEL", "do klasy"),
        edit("ZMIENNA_Klasa_STR1_DATA_EDIT"),
        edit("ZMIENNA_NazwaSzkolyPodstawowej1_STR1_DATA_EDIT"),
        edit("ZMIENNA_NazwaSzkolyPodstawowej2_STR1_DATA_EDIT"),
        label("STALY_NazwaSzkolyPodstawowej_STR1_DATA_LABEL", "( nazwa szkoły podstawowej )",
              kCaptionPixels),
        label("STALY_NrSzkoly_STR1_DATA_LABEL", "nr"),
        edit("ZMIENNA_NrSzkoly_STR1_DATA_EDIT"),
        label("STALY_SzkolaIm_STR1_DATA_LABEL", "im."),
        edit("ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT"),
        edit("ZMIENNA_ImieSzkoly2_STR1_DATA_EDIT"),
        label("STALY_SzkolaW_STR1_DATA_LABEL", "w"),
        edit("ZMIENNA_SzkolaWE_STR1_DATA_EDIT"),
        edit("ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT"),
        label("STALY_SzkolaWoj_STR1_DATA_LABEL", "woj."),
        edit("ZMIENNA_SzkolaWoj_STR1_DATA_EDIT"),
        label("STALY_I_STR1_DATA_LABEL", "i"),
        edit("ZMIENNA_TakNieOtrzymal_STR1_DATA_EDIT"),
        label("STALY_Otrzymal_STR1_DATA_LABEL", "otrzymał"),
        [] {
            // Follows the pupil's sex, yet stays readable for the user to check.
            Component c = edit("ZMIENNA_OtrzymalA_STR1_DATA_EDIT");
            c.enabled = false;
            return c;
        }(),
        label("STALY_Promocj_STR1_DATA_LABEL", "promocj"),
        edit("ZMIENNA_PromocjiE_STR1_DATA_EDIT"),
        label("STALY_PromDoKlasy_STR1_DATA_LABEL", "do klasy"),
        edit("ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT"),
        edit("ZMIENNA_Miejscowosc_STR1_DATA_EDIT"),
        label("STALY_MiejscowoscDnia_STR1_DATA_LABEL", ", dnia"),
        edit("ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT"),
        edit("ZMIENNA_MiejscowoscRok_STR1_DATA_EDIT"),
        label("STALY_MiejscowoscR_STR1_DATA_LABEL", "r."),
        label("STALY_Miejscowosc_STR1_DATA_LABEL", "( miejscowość )", kCaptionPixels),
        label("STALY_PieczecPodpisDyr_STR1_DATA_LABEL", "( pieczęć i podpis dyrektora )",
              kCaptionPixels),
        label("STALY_SwiadectwoNr_STR1_DATA_LABEL", "Nr"),
        [] {
            // Copied from the pupil data, but the window keeps it selectable.
            Component c = edit("ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT");
            c.readOnly = true;
            return c;
        }(),
    };
}

Components side2() {
    Components list{
        edit("ZMIENNA_Uposledzenie1_STR2_DATA_EDIT"),
        edit("ZMIENNA_Uposledzenie2_STR2_DATA_EDIT"),
        label("STALY_WynKlasyfikacji_STR2_DATA_LABEL", "WYNIKI KLASYFIKACJI ROCZNEJ"),
        label("STALY_Zachowanie_STR2_DATA_LABEL", "zachowanie"),
        combo("ZMIENNA_ZachowanieOcena_STR2_DATA_COMBOBOX", behaviourItems()),
        label("STALY_Religia_STR2_DATA_LABEL", "religia/etyka"),
        combo("ZMIENNA_ReligiaOcena_STR2_DATA_COMBOBOX", religionItems()),
        boldLabel("STALY_ObowiazkoweZajecia_STR2_DATA_LABEL", "Obowiązkowe zajęcia edukacyjne"),
        label("STALY_JPolski_STR2_DATA_LABEL", "język polski"),
        combo("ZMIENNA_PolskiOcena_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_Historia_STR2_DATA_LABEL", "historia i społeczeństwo"),
        combo("ZMIENNA_HistoriaOcena_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_JObcy_STR2_DATA_LABEL", "język"),
        edit("ZMIENNA_JObcyOpis_STR2_DATA_EDIT"),
        combo("ZMIENNA_JObcyOcena_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_Matematyka_STR2_DATA_LABEL", "matematyka"),
        combo("ZMIENNA_MatematykaOcena_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_Przyroda_STR2_DATA_LABEL", "przyroda"),
        combo("ZMIENNA_PrzyrodaOcena_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_Muzyka_STR2_DATA_LABEL", "muzyka"),
        combo("ZMIENNA_MuzykaOcenaBox_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_Plastyka_STR2_DATA_LABEL", "plastyka"),
        combo("ZMIENNA_PlastykaOcena_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_Technika_STR2_DATA_LABEL", "technika"),
        combo("ZMIENNA_TechnikaOcena_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_Informatyka_STR2_DATA_LABEL", "informatyka"),
        combo("ZMIENNA_InformatykaOcena_STR2_DATA_COMBOBOX", gradeItems()),
        label("STALY_Wf_STR2_DATA_LABEL", "wychowanie fizyczne"),
        combo("ZMIENNA_WfOcena_STR2_DATA_COMBOBOX", physicalEducationItems()),
    };
    // Three rows each: a subject's name and its grade, or one line of text.
    const auto rows = [&list](const char* nameStem, const char* gradeStem) {
        for (int row = 1; row <= 3; ++row) {
            list << Component::named(QStringLiteral("ZMIENNA_%1%2_STR2_DATA_EDIT")
                                         .arg(QLatin1String(nameStem))
                                         .arg(row));
            if (!gradeStem) continue;
            Component grade = Component::named(QStringLiteral("ZMIENNA_%1%2_STR2_DATA_COMBOBOX")
                                                   .arg(QLatin1String(gradeStem))
                                                   .arg(row));
            grade.items = attendanceItems();
            list << grade;
        }
    };
    rows("ObowiazkowyDod", "ObowiazkowyDodOcena");
    list << boldLabel("STALY_DodatkoweZajeciaEdu_STR2_DATA_LABEL", "Dodatkowe zajęcia edukacyjne");
    rows("DodatkowyEdu", "DodatkowyEduOcena");
    list << boldLabel("STALY_IndywidualnyProgram_STR2_DATA_LABEL",
                      "Indywidualny program lub tok nauki");
    rows("Indywidualny", nullptr);
    list << boldLabel("STALY_SzczegolneOsiagniecia_STR2_DATA_LABEL", "Szczególne osiągnięcia");
    rows("Szczegolne", nullptr);
    list << label("STALY_Wychowawca_STR2_DATA_LABEL", "WYCHOWAWCA KLASY", 13)
         << label("STALY_SkalaOcen1_STR2_DATA_LABEL", "Skala ocen:", kCaptionPixels)
         << label("STALY_SkalaOcen2_STR2_DATA_LABEL",
                  "1) zachowanie: wzorowe, bardzo dobre, dobre, poprawne,", kCaptionPixels)
         << label("STALY_SkalaOcen3_STR2_DATA_LABEL", "nieodpowiednie, naganne;", kCaptionPixels)
         << label("STALY_SkalaOcen4_STR2_DATA_LABEL",
                  "2) zajęcia edukacyjne, religia/etyka: celujący, bardzo dobry,", kCaptionPixels)
         << label("STALY_SkalaOcen5_STR2_DATA_LABEL",
                  "dobry, dostateczny, dopuszczający, niedostateczny.", kCaptionPixels);
    return list;
}

// --- Editing the description along the axes --------------------------------------------------

int find(const Components& list, const char* name) {
    const QString wanted = u8(name);
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).name == wanted) return i;
    }
    return -1;
}

void remove(Components& list, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const int i = find(list, name);
        if (i >= 0) list.removeAt(i);
    }
}

// The replacement takes the replaced component's place in the layout.
void replace(Components& list, const char* name, const Components& replacement) {
    const int i = find(list, name);
    if (i < 0) return;
    list.removeAt(i);
    for (int k = 0; k < replacement.size(); ++k) list.insert(i + k, replacement.at(k));
}

// Same place, same kind and items, another name (and, for a fixed text, another caption).
void rename(Components& list, const char* name, const char* newName,
            const char* caption = nullptr) {
    const int i = find(list, name);
    if (i < 0) return;
    list[i].name = u8(newName);
    if (caption) list[i].text = u8(caption);
}

void recaption(Components& list, const QString& name, const QString& caption) {
    for (Component& c : list) {
        if (c.name == name) c.text = caption;
    }
}

void recaption(Components& list, const char* name, const char* caption) {
    recaption(list, u8(name), u8(caption));
}

void makeSchoolLeaving(Components& list) {
    replace(list, "STALY_SwiadectwoSzkolne_STR1_DATA_LABEL",
            {label("STALY_SwiadectwoSzkolne1_STR1_DATA_LABEL", "ŚWIADECTWO UKOŃCZENIA", 29),
             label("STALY_SwiadectwoSzkolne2_STR1_DATA_LABEL", "SZKOŁY PODSTAWOWEJ", 29)});
    replace(list, "STALY_Uczeszczal_STR1_DATA_LABEL",
            {label("STALY_Ukonczyl_STR1_DATA_LABEL", "ukończył"),
             copiedEdit("ZMIENNA_UkonczylA_STR1_DATA_EDIT")});
    // The statement stands where promotion certificates have the promotion sentence.
    replace(list, "STALY_I_STR1_DATA_LABEL",
            {label("STALY_SwiadectwoJestDokumentem_STR1_DATA_LABEL",
                   "Świadectwo jest dokumentem potwierdzającym posiadanie wykształcenia "
                   "podstawowego.")});
    remove(list, {"ZMIENNA_UczeszczalA_STR1_DATA_EDIT", "STALY_DoKlasy_STR1_DATA_LABEL",
                  "ZMIENNA_Klasa_STR1_DATA_EDIT", "ZMIENNA_TakNieOtrzymal_STR1_DATA_EDIT",
                  "STALY_Otrzymal_STR1_DATA_LABEL", "ZMIENNA_OtrzymalA_STR1_DATA_EDIT",
                  "STALY_Promocj_STR1_DATA_LABEL", "ZMIENNA_PromocjiE_STR1_DATA_EDIT",
                  "STALY_PromDoKlasy_STR1_DATA_LABEL", "ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT"});
    recaption(list, "STALY_WynKlasyfikacji_STR2_DATA_LABEL", "WYNIKI KLASYFIKACJI KOŃCOWEJ");
}

void makeWithDistinction(Components& list, bool schoolLeaving) {
    if (schoolLeaving) {
        recaption(list, "STALY_WRokuSzkolnym_STR1_DATA_LABEL", "z wyróżnieniem w roku szkolnym");
        return;
    }
    // The distinction forms print the whole promotion sentence: nothing to negate or complete.
    remove(list, {"STALY_I_STR1_DATA_LABEL", "ZMIENNA_TakNieOtrzymal_STR1_DATA_EDIT",
                  "ZMIENNA_PromocjiE_STR1_DATA_EDIT", "STALY_PromDoKlasy_STR1_DATA_LABEL"});
    recaption(list, "STALY_Otrzymal_STR1_DATA_LABEL", "i otrzymał");
    recaption(list, "STALY_Promocj_STR1_DATA_LABEL", "promocję z wyróżnieniem do klasy");
}

void makeASeries(Components& list) {
    rename(list, "STALY_Technika_STR2_DATA_LABEL", "STALY_ZajTechniczne_STR2_DATA_LABEL",
           "zajęcia techniczne");
    rename(list, "ZMIENNA_TechnikaOcena_STR2_DATA_COMBOBOX",
           "ZMIENNA_ZajTechniczneOcena_STR2_DATA_COMBOBOX");
    rename(list, "STALY_Informatyka_STR2_DATA_LABEL", "STALY_ZajKomputerowe_STR2_DATA_LABEL",
           "zajęcia komputerowe");
    rename(list, "ZMIENNA_InformatykaOcena_STR2_DATA_COMBOBOX",
           "ZMIENNA_ZajKomputeroweOcena_STR2_DATA_COMBOBOX");
}

// --- Members ---------------------------------------------------------------------------------

CertificateMember member(const char* windowName, int grade, bool distinction, bool aSeries,
                         const char* title, NamedTexts ownCaptions = {},
                         NamedTexts ownSampleData = {}) {
    CertificateMember m;
    m.windowName = u8(windowName);
    m.grade = grade;
    m.distinction = distinction;
    m.aSeries = aSeries;
    m.windowTitle = u8(title);
    m.ownCaptions = std::move(ownCaptions);
    m.ownSampleData = std::move(ownSampleData);
    return m;
}

QList<CertificateMember> buildMembers() {
    const NamedTexts guardianCaption{
        {u8("STALY_Wychowawca_STR2_DATA_LABEL"), u8("WYCHOWAWCA (OPIEKUN) KLASY")}};
    const NamedTexts grade5Samples{
        {u8("ZMIENNA_Klasa_STR1_DATA_EDIT"), u8("piątej")},
        {u8("ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT"), u8("szóstej")},
        {u8("ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT"), u8("katowicach")},
        {u8("ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT"), u8("1 czerwca")},
        {u8("ZMIENNA_NazwaSzkolyPodstawowej1_STR1_DATA_EDIT"), u8("nazwa szkoły podstawowej 1")},
        {u8("ZMIENNA_NazwaSzkolyPodstawowej2_STR1_DATA_EDIT"), u8("nazwa szkoły podstawowej 2")},
        {u8("ZMIENNA_NrPesel_STR1_DATA_EDIT"), u8("123456789010")},
    };
    return {
        member("TFKlasa4a", 4, false, true,
               "MEN-I/3a/2      Świadectwo ukończenia klasy 4 szkoły podstawowej"),
        member("TFKlasa4awyr", 4, true, true,
               "MEN-I/3a-w/2      Świadectwo ukończenia klasy 4 szkoły podstawowej z "
               "wyróżnieniem"),
        member("TFKlasa5a", 5, false, true,
               "MEN-I/3a/2      Świadectwo ukończenia klasy 5 szkoły podstawowej"),
        member("TFKlasa5awyr", 5, true, true,
               "MEN-I/3a-w/2      Świadectwo ukończenia klasy 5 szkoły podstawowej z "
               "wyróżnieniem"),
        member("TFKonieca", 6, false, true,
               "MEN-I/6a/2      Świadectwo ukończenia szkoły podstawowej"),
        member("TFKoniecawyr", 6, true, true,
               "MEN-I/6a-w/2      Świadectwo ukończenia szkoły podstawowej z wyróżnieniem"),
        member("TFKlasa4", 4, false, false, "Świadectwo ukończenia klasy 4 szkoły podstawowej"),
        member("TFKlasa4wyr", 4, true, false,
               "MEN-I/3-w/2      Świadectwo ukończenia klasy 4 szkoły podstawowej z wyróżnieniem"),
        member("TFKlasa5", 5, false, false, "Świadectwo ukończenia klasy 5 szkoły podstawowej", {},
               grade5Samples),
        member("TFKlasa5wyr", 5, true, false,
               "Świadectwo ukończenia klasy 5 szkoły podstawowej z wyróżnieniem"),
        member("TFKoniec", 6, false, false, "Świadectwo ukończenia szkoły podstawowej",
               guardianCaption),
        member("TFKoniecwyr", 6, true, false,
               "Świadectwo ukończenia szkoły podstawowej z wyróżnieniem"),
    };
}

// --- Sample data -----------------------------------------------------------------------------

// The family's sample texts; a member sets those of the fields it has. The two note lines are
// not among them: they keep whatever they hold.
const NamedTexts& familySampleData() {
    static const NamedTexts samples = [] {
        NamedTexts list;
        auto add = [&list](const char* name, const char* value) {
            list.append({u8(name), u8(value)});
        };
        add("ZMIENNA_ImieNazwisko_STR1_DATA_EDIT", "imię i nazwisko");
        add("ZMIENNA_DataUrodzenia_STR1_DATA_EDIT", "1 stycznia 1980");
        add("ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT", "Katowice");
        add("ZMIENNA_NrPesel_STR1_DATA_EDIT", "12345678901");
        add("ZMIENNA_UczeszczalA_STR1_DATA_EDIT", "a");
        add("ZMIENNA_UkonczylA_STR1_DATA_EDIT", "a");
        add("ZMIENNA_RokSzkolny1_STR1_DATA_EDIT", "2009");
        add("ZMIENNA_RokSzkolny2_STR1_DATA_EDIT", "2010");
        add("ZMIENNA_Klasa_STR1_DATA_EDIT", "czwartej");
        add("ZMIENNA_NazwaSzkolyPodstawowej1_STR1_DATA_EDIT", "szkoła podstawowa 1");
        add("ZMIENNA_NazwaSzkolyPodstawowej2_STR1_DATA_EDIT", "szkoła podstawowa 2");
        add("ZMIENNA_NrSzkoly_STR1_DATA_EDIT", "1234");
        add("ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT", "imię szkoły 1");
        add("ZMIENNA_ImieSzkoly2_STR1_DATA_EDIT", "imię szkoły 2");
        add("ZMIENNA_SzkolaWE_STR1_DATA_EDIT", "e");
        add("ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT", "katowicach");
        add("ZMIENNA_SzkolaWoj_STR1_DATA_EDIT", "śląskie");
        add("ZMIENNA_TakNieOtrzymal_STR1_DATA_EDIT", "nie");
        add("ZMIENNA_OtrzymalA_STR1_DATA_EDIT", "a");
        add("ZMIENNA_PromocjiE_STR1_DATA_EDIT", "e");
        add("ZMIENNA_PromocjaKlasa_STR1_DATA_EDIT", "piątej");
        add("ZMIENNA_Miejscowosc_STR1_DATA_EDIT", "katowice");
        add("ZMIENNA_MiejscowoscDnia_STR1_DATA_EDIT", "20 czerwca");
        add("ZMIENNA_MiejscowoscRok_STR1_DATA_EDIT", "2010");
        add("ZMIENNA_SwiadectwoNr_STR1_DATA_EDIT", "12345");
        add("ZMIENNA_JObcyOpis_STR2_DATA_EDIT", "angielski");
        for (int row = 1; row <= 3; ++row) {
            list.append({QStringLiteral("ZMIENNA_ObowiazkowyDod%1_STR2_DATA_EDIT").arg(row),
                         u8("obowiązkowy %1").arg(row)});
            list.append({QStringLiteral("ZMIENNA_DodatkowyEdu%1_STR2_DATA_EDIT").arg(row),
                         QStringLiteral("edukacyjne %1").arg(row)});
            list.append({QStringLiteral("ZMIENNA_Indywidualny%1_STR2_DATA_EDIT").arg(row),
                         QStringLiteral("indywidualny %1").arg(row)});
            list.append({QStringLiteral("ZMIENNA_Szczegolne%1_STR2_DATA_EDIT").arg(row),
                         QStringLiteral("szczegolne %1").arg(row)});
        }
        return list;
    }();
    return samples;
}

const QString kNoteLine1 = QStringLiteral("ZMIENNA_Uposledzenie1_STR2_DATA_EDIT");
const QString kNoteLine2 = QStringLiteral("ZMIENNA_Uposledzenie2_STR2_DATA_EDIT");

}  // namespace

QString CertificateMember::formCode() const {
    return QStringLiteral("MEN-I/%1%2%3/2")
        .arg(schoolLeaving() ? QStringLiteral("6") : QStringLiteral("3"),
             aSeries ? QStringLiteral("a") : QString(),
             distinction ? QStringLiteral("-w") : QString());
}

const QList<CertificateMember>& certificateMembers() {
    static const QList<CertificateMember> members = buildMembers();
    return members;
}

const CertificateMember* certificateMember(const QString& windowName) {
    for (const CertificateMember& m : certificateMembers()) {
        if (m.windowName == windowName) return &m;
    }
    return nullptr;
}

QList<Component> certificateComponents(const CertificateMember& member) {
    Components list = side1() + side2();
    recaption(list, QStringLiteral("STALY_MEN_STR1_DATA_LABEL"), member.formCode());
    if (member.schoolLeaving()) makeSchoolLeaving(list);
    if (member.distinction) makeWithDistinction(list, member.schoolLeaving());
    if (member.aSeries) makeASeries(list);
    for (const auto& [name, caption] : member.ownCaptions) recaption(list, name, caption);
    return list;
}

void vFunFillSampleData(FormModel& certificate) {
    const CertificateMember* member = certificateMember(certificate.windowName());
    if (!member) return;
    for (const auto& [name, value] : familySampleData()) certificate.setText(name, value);
    for (int i = 0; i < certificate.componentCount(); ++i) {
        const Component& c = certificate.component(i);
        if (c.kind == ComponentKind::ComboBox) certificate.setText(c.name, QStringLiteral("dobry"));
    }
    if (member->distinction)
        certificate.setText(QStringLiteral("ZMIENNA_NrSzkoly_STR1_DATA_EDIT"),
                            QStringLiteral("12345"));
    for (const auto& [name, value] : member->ownSampleData) certificate.setText(name, value);
}

void fillEmptyNoteLines(FormModel& certificate) {
    for (const QString& name : {kNoteLine1, kNoteLine2}) {
        if (certificate.text(name).isEmpty()) certificate.setText(name, QStringLiteral(" "));
    }
}

bool acceptCertificate(FormModel& certificate, PupilSaver& saver, const QString& currentTable) {
    fillEmptyNoteLines(certificate);
    return saver.savePupil(currentTable, QString::fromUtf8("Błąd zapisu danych.\n\n"));
}
