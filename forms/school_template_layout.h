#pragma once

// Where the school-data template's window puts its fields and the texts of the form around them,
// in pixels of each tab's picture. The picture is drawn at build time from the same items
// (tools/pictures/school_template_pictures.*), so the fields always sit on their dotted lines.
// Plain C++ only: the build tool includes it too.

namespace school_template_layout {

enum class ItemKind {
    Label,    // form text; its baseline just above y
    Caption,  // the small text under a blank, centred between x and x + width
    Field,    // an input over a dotted line at y, from x to x + width
    Rule,     // a thin line across the picture at y
};

struct Item {
    ItemKind kind;
    int x;
    int y;
    int width;
    const char* text;  // label or caption text (UTF-8), the field's component name
};

inline constexpr int kPictureWidth = 720;
inline constexpr int kFieldHeight = 22;
inline constexpr int kLabelPixels = 16;
inline constexpr int kCaptionPixels = 11;

inline constexpr char kCertificatePicture[] = "szablon_swiadectwo.bmp";
inline constexpr char kGradeSheetPicture[] = "szablon_arkusz.bmp";

// The school part of a certificate: side 1, then the subjects of side 2.
inline constexpr int kCertificateHeight = 600;
inline constexpr Item kCertificateItems[] = {
    {ItemKind::Label, 30, 60, 0, "uczęszczał(a) w roku szkolnym"},
    {ItemKind::Field, 240, 60, 60, "ZMIENNA_RokSzkolny1_DATA_EDIT"},
    {ItemKind::Label, 306, 60, 0, "/"},
    {ItemKind::Field, 318, 60, 60, "ZMIENNA_RokSzkolny2_DATA_EDIT"},
    {ItemKind::Label, 400, 60, 0, "do klasy"},
    {ItemKind::Field, 470, 60, 220, "ZMIENNA_Klasa_DATA_EDIT"},
    {ItemKind::Field, 30, 100, 660, "ZMIENNA_NazwaSzkolyPodstawowej1_DATA_EDIT"},
    {ItemKind::Field, 30, 135, 660, "ZMIENNA_NazwaSzkolyPodstawowej2_DATA_EDIT"},
    {ItemKind::Caption, 30, 150, 660, "( nazwa szkoły podstawowej )"},
    {ItemKind::Label, 30, 190, 0, "Nr"},
    {ItemKind::Field, 60, 190, 90, "ZMIENNA_SzkolaNr_DATA_EDIT"},
    {ItemKind::Label, 170, 190, 0, "im."},
    {ItemKind::Field, 200, 190, 490, "ZMIENNA_SzkolaIm1_DATA_EDIT"},
    {ItemKind::Field, 30, 225, 660, "ZMIENNA_SzkolaIm2_DATA_EDIT"},
    {ItemKind::Label, 30, 265, 0, "w"},
    {ItemKind::Field, 46, 265, 30, "ZMIENNA_SzkolaWE_DATA_EDIT"},
    {ItemKind::Field, 86, 265, 300, "ZMIENNA_SzkolaMiasto_DATA_EDIT"},
    {ItemKind::Label, 400, 265, 0, "woj."},
    {ItemKind::Field, 440, 265, 250, "ZMIENNA_SzkolaWoj_DATA_EDIT"},
    {ItemKind::Label, 30, 305, 0, "uzyskał(a) promocję do klasy"},
    {ItemKind::Field, 240, 305, 220, "ZMIENNA_PromocjaKlasa_DATA_EDIT"},
    {ItemKind::Field, 30, 355, 220, "ZMIENNA_Miejscowosc_DATA_EDIT"},
    {ItemKind::Label, 262, 355, 0, "dnia"},
    {ItemKind::Field, 300, 355, 170, "ZMIENNA_MiejscowoscDnia_DATA_EDIT"},
    {ItemKind::Field, 480, 355, 70, "ZMIENNA_MiejscowoscRok_DATA_EDIT"},
    {ItemKind::Label, 556, 355, 0, "r"},
    {ItemKind::Caption, 30, 370, 220, "(miejscowość)"},
    {ItemKind::Rule, 20, 395, 680, ""},
    {ItemKind::Label, 30, 435, 0, "język"},
    {ItemKind::Field, 80, 435, 300, "ZMIENNA_JObcy_DATA_EDIT"},
    {ItemKind::Label, 30, 475, 0, "Obowiązkowe zajęcia edukacyjne:"},
    {ItemKind::Field, 50, 505, 300, "ZMIENNA_ObowiazkoweEdu1_DATA_EDIT"},
    {ItemKind::Field, 50, 535, 300, "ZMIENNA_ObowiazkoweEdu2_DATA_EDIT"},
    {ItemKind::Field, 50, 565, 300, "ZMIENNA_ObowiazkoweEdu3_DATA_EDIT"},
    {ItemKind::Label, 380, 475, 0, "Dodatkowe zajęcia edukacyjne:"},
    {ItemKind::Field, 400, 505, 290, "ZMIENNA_DodatkoweEdu1_DATA_EDIT"},
    {ItemKind::Field, 400, 535, 290, "ZMIENNA_DodatkoweEdu2_DATA_EDIT"},
    {ItemKind::Field, 400, 565, 290, "ZMIENNA_DodatkoweEdu3_DATA_EDIT"},
};

// The school part of the grade sheet's title page.
inline constexpr int kGradeSheetHeight = 340;
inline constexpr Item kGradeSheetItems[] = {
    {ItemKind::Field, 30, 60, 660, "ZMIENNA_NazwaSzkoly1_DATA_EDIT"},
    {ItemKind::Field, 30, 95, 660, "ZMIENNA_NazwaSzkoly2_DATA_EDIT"},
    {ItemKind::Field, 30, 130, 660, "ZMIENNA_NazwaSzkoly3_DATA_EDIT"},
    {ItemKind::Caption, 30, 145, 660, "(nazwa szkoły)"},
    {ItemKind::Label, 30, 195, 0, "Szkoła jest wpisana do ewidencji szkół niepublicznych prowadzonej"},
    {ItemKind::Label, 30, 230, 0, "przez"},
    {ItemKind::Field, 76, 230, 614, "ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez1_DATA_EDIT"},
    {ItemKind::Field, 30, 265, 660, "ZMIENNA_SzkolaNiepublicznaProwadzonaPrzez2_DATA_EDIT"},
    {ItemKind::Label, 30, 300, 0, "pod nr"},
    {ItemKind::Field, 86, 300, 200, "ZMIENNA_SzkolaNiepublicznaPodNr_DATA_EDIT"},
    {ItemKind::Caption, 30, 315, 660, "(wypełnia szkoła niepubliczna)"},
};

}  // namespace school_template_layout
