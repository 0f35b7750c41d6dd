#include "command_line_help.h"

#include <cstring>

#include "console_prompter.h"
#include "forms/document_types.h"

bool isHelpCommand(int argc, char** argv) {
    return argc >= 2 && std::strcmp(argv[1], "--help") == 0;
}

bool isUnknownOption(int argc, char** argv) {
    return argc >= 2 && std::strncmp(argv[1], "--", 2) == 0;
}

QString strFunUsageText() {
    QString text = QStringLiteral(
        "Użycie:\n"
        "  semrik [PLIK.smrk]\n"
        "      Uruchamia program i otwiera podany plik świadectw.\n"
        "  semrik --list PLIK.smrk\n"
        "      Wypisuje uczniów pliku świadectw w kolejności drzewa, po jednym w wierszu:\n"
        "      nazwisko i imię, tabulator, nazwa tabeli ucznia.\n"
        "  semrik --pdf WYNIK.pdf [--document NAZWA|NUMER]... [--pupil PESEL]... PLIK.smrk\n"
        "      Drukuje wybrane dokumenty wybranych uczniów do jednego pliku PDF, bez okna\n"
        "      programu. Bez --pupil: wszyscy uczniowie w kolejności drzewa; bez --document:\n"
        "      jedenaście dokumentów drzewa, w jego kolejności. Oba przełączniki można podać\n"
        "      wiele razy. Świadectwo zajmuje dwie strony. Położenie na kartce wyznaczają\n"
        "      pierwsze ustawienia wydruku i kalibracja programu; przełączniki \"Wykreskuj\n"
        "      puste pola\", \"Wyłącz kropki\" i \"Ogranicz pola tekstowe\" działają jak\n"
        "      w programie.\n"
        "      --document NAZWA|NUMER  dokument o tej nazwie z drzewa albo o tym numerze\n"
        "      --pupil PESEL           uczeń o tym numerze PESEL\n"
        "  semrik --help\n"
        "      Wyświetla ten opis.\n"
        "\n"
        "Dokumenty (numer, nazwa; * w drzewie):\n");
    for (const DocumentType& type : documentTypes()) {
        text += QStringLiteral("  %1 %2 %3\n")
                    .arg(type.number, 2)
                    .arg(type.inTree ? QLatin1Char('*') : QLatin1Char(' '))
                    .arg(type.caption);
    }
    text += QStringLiteral(
        "\n"
        "Kod wyjścia: 0 gdy się udało, 1 przy błędzie (opis na standardowym wyjściu błędów),\n"
        "2 przy błędnym wywołaniu.\n");
    return text;
}

int iFunPrintUsage(std::FILE* stream, int exitCode) {
    vFunWriteConsole(stream, strFunUsageText());
    return exitCode;
}
