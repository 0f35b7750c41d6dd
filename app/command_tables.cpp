#include "command_tables.h"

#include "main_window.h"

namespace {

constexpr MenuEntry kSeparator{nullptr, nullptr, SelectionNeed::Nothing, nullptr};

MenuEntry entry(const char* text, MainWindowHandler handler,
                SelectionNeed needs = SelectionNeed::Nothing) {
    return MenuEntry{text, handler, needs, nullptr};
}

MenuEntry entry(const char* text, MainWindowHandler handler, const char* shortcut) {
    return MenuEntry{text, handler, SelectionNeed::Nothing, shortcut};
}

}  // namespace

const std::vector<MenuDefinition>& mainMenus() {
    static const std::vector<MenuDefinition> menus{
        {"&Plik",
         {
             entry("&Nowy plik", &TFGlowna::NowyPlikToolButtonClick, "Ctrl+N"),
             entry("&Otwórz plik", &TFGlowna::OtworzPlikToolButtonClick, "Ctrl+O"),
             kSeparator,
             entry("&Importuj", &TFGlowna::Importuj1Click),
             entry("Importuj dane &uczniów z SP 1-3", &TFGlowna::ImportStudentsSP13ButtonClick),
             kSeparator,
             entry("O&dyskaj dane z kopii zapasowej", &TFGlowna::Odyskajdanezkopiizapasowej1Click),
             kSeparator,
             entry("&Zapisz", &TFGlowna::Zapisz1Click, "Ctrl+S"),
             entry("Zapisz &jako", &TFGlowna::Zapiszjako1Click),
             kSeparator,
             entry("&Szablon danych szkoły", &TFGlowna::Szablondanychszkoy1Click),
             kSeparator,
             entry("&Koniec", &TFGlowna::Koniec1Click),
         }},
        {"&Uczniowie",
         {
             entry("&Dodaj nowego ucznia", &TFGlowna::DodajUczniaToolButtonClick),
             entry("&Edytuj dane wybranego ucznia", &TFGlowna::EdytujDaneUczniaToolButtonClick),
             entry("&Usuń wybranego ucznia", &TFGlowna::UsunUczniaToolButtonClick),
         }},
        {"Ś&wiadectwa",
         {
             entry("&Edytuj wybrane świadectwo / dokument",
                   &TFGlowna::EdytujSwiadectwoToolButtonClick),
             entry("&Drukuj wybrane świadectwo", &TFGlowna::DrukujToolButtonClick, "Ctrl+P"),
         }},
        {"U&stawienia",
         {
             entry("Formatowanie &podstawowe ( tylko zmienne )",
                   &TFGlowna::Formatowaniewiadectwapodstawowe1Click),
             entry("Formatowanie &zaawansowane ( wszystkie obiekty )",
                   &TFGlowna::Ustawieniaczcionki1Click),
             kSeparator,
             entry("&Eksportuj ustawienia kalibracji",
                   &TFGlowna::Eksportujustawieniakalibracji1Click),
             entry("&Importuj ustawienia kalibracji", &TFGlowna::Importujustawieniakalibracji1Click),
         }},
        {"Pomo&c",
         {
             entry("&O programie", &TFGlowna::Oprogramie1Click),
             entry("&Sprawdź czy jest nowa wersja", &TFGlowna::Sprawdczyjestnowawersja1Click),
             kSeparator,
             entry("&Instrukcja obsługi", &TFGlowna::Instrukcjaobsugi1Click, "F1"),
             kSeparator,
             entry("&Wyślij wiadomość", &TFGlowna::KontaktButtonClick),
             kSeparator,
             entry("&Logi programu", &TFGlowna::Logiprogramu1Click),
         }},
    };
    return menus;
}

const std::vector<MenuEntry>& treePopupEntries() {
    static const std::vector<MenuEntry> entries{
        entry("&Dodaj ucznia", &TFGlowna::DodajUczniaToolButtonClick),
        entry("&Edytuj dane ucznia", &TFGlowna::EdytujDaneUczniaToolButtonClick,
              SelectionNeed::Pupil),
        entry("&Usuń dane ucznia", &TFGlowna::UsunUczniaToolButtonClick, SelectionNeed::Pupil),
        kSeparator,
        entry("Edytuj wybrane ś&wiadectwo", &TFGlowna::EdytujSwiadectwoToolButtonClick,
              SelectionNeed::Document),
        kSeparator,
        entry("D&rukuj wybrane świadectwo", &TFGlowna::DrukujToolButtonClick,
              SelectionNeed::Document),
    };
    return entries;
}

const std::vector<ToolButtonDefinition>& toolButtons() {
    static const std::vector<ToolButtonDefinition> buttons{
        {"NowyPlikToolButton", "Nowy plik świadectw", ToolIcon::NewSheet,
         &TFGlowna::NowyPlikToolButtonClick},
        {"OtworzPlikToolButton", "Otwórz plik z świadectwami", ToolIcon::OpenFolder,
         &TFGlowna::OtworzPlikToolButtonClick},
        {"SaveButton", "Zapisz", ToolIcon::Save, &TFGlowna::Zapisz1Click},
        {"ToolButton11", "Szablon danych szkoły", ToolIcon::School,
         &TFGlowna::Szablondanychszkoy1Click},
        {"DodajUczniaToolButton", "Dodaj nowego ucznia", ToolIcon::PupilAdd,
         &TFGlowna::DodajUczniaToolButtonClick},
        {"EdytujDaneUczniaToolButton", "Edytuj dane wybranego ucznia", ToolIcon::PupilEdit,
         &TFGlowna::EdytujDaneUczniaToolButtonClick},
        {"UsunUczniaToolButton", "Usuń dane wybranego ucznia", ToolIcon::PupilRemove,
         &TFGlowna::UsunUczniaToolButtonClick},
        {"EdytujSwiadectwoToolButton", "Edytuj wybrane świadectwo / dokument",
         ToolIcon::DocumentEdit, &TFGlowna::EdytujSwiadectwoToolButtonClick},
        {"DrukujToolButton", "Drukuj świadectwo / dokument", ToolIcon::Printer,
         &TFGlowna::DrukujToolButtonClick},
        {"PomocToolButton", "Pomoc", ToolIcon::Help, &TFGlowna::Instrukcjaobsugi1Click},
        {"KontaktButton", "Wyślij wiadomość", ToolIcon::Envelope, &TFGlowna::KontaktButtonClick},
        {"ImportStudentsSP13Button", "Importuj dane uczniów z SP 1-3", ToolIcon::Import,
         &TFGlowna::ImportStudentsSP13ButtonClick},
    };
    return buttons;
}

const std::vector<CheckBoxDefinition>& toolBarCheckBoxes() {
    static const std::vector<CheckBoxDefinition> boxes{
        {"WykreskujPusteCheckBox", "Wykreskuj puste pola", true,
         &TFGlowna::WykreskujPusteCheckBoxClick},
        {"PrintNoDotsCheckBox", "Wyłącz kropki", false, &TFGlowna::PrintNoDotsCheckBoxClick},
        {"cbWordWrap", "Ogranicz pola tekstowe", false, &TFGlowna::cbWordWrapClick},
    };
    return boxes;
}
