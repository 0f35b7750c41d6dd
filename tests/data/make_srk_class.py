#!/usr/bin/env python3
"""Writes a class text file of the old program (.srk, Windows-1250) with 30 pupils.

Every case the import handles is in it: an apostrophe (O'Brien), empty values, ">" inside a
value, memo runs of several names, Polish letters, CR LF and LF line ends, a CR inside a value,
blank lines between document blocks, and text after a Ctrl-Z, which ends the file. Unless
--clean is given, it also holds a pupil block without a PESEL line (refused on import) and a
value longer than a record holds (cut on import).

Usage: make_srk_class.py OUT.srk [--clean]
"""
import sys

CERT_4A = "SWIADECTWO UKONCZENIA KLASY 4a SZKOLY PODST. MEN-I/3a/2"
CERT_5A = "SWIADECTWO UKONCZENIA KLASY 5a SZKOLY PODST. MEN-I/3a/2"
SHEET_6B = "ARKUSZ OCEN STR 6b SZKOLA PODSTAWOWA 4-6 MEN-I/37b/2"
MEETING = "WYWIADOWKA SZKOLA PODSTAWOWA 4-6"

SURNAMES = ["O'Brien", "Żółkiewska", "Kowalski", "Nowak", "Wiśniewska", "Dąbrowski", "Lewandowska",
            "Wójcik", "Kamińska", "Kowalczyk", "Zieliński", "Szymańska", "Woźniak", "Kozłowski",
            "Jankowska", "Mazur", "Krawczyk", "Piotrowska", "Grabowski", "Nowakowska", "Pawłowski",
            "Michalska", "Król", "Wieczorek", "Jabłońska", "Wróbel", "Nowicki", "Majewska",
            "Ślusarczyk", "Gęśla"]
FIRST_NAMES = ["Sean", "Łucja", "Jan", "Anna", "Zofia", "Piotr", "Ewa", "Tomasz", "Agnieszka",
               "Paweł", "Krzysztof", "Małgorzata", "Michał", "Jędrzej", "Barbara", "Marek",
               "Joanna", "Ścibor", "Adam", "Katarzyna", "Łukasz", "Halina", "Józef", "Irena",
               "Grażyna", "Wojciech", "Stanisław", "Dorota", "Źdźisław", "Jaźmina"]


def pesel(i):
    return "0%d2%02d0%04d" % (i % 10, (i % 28) + 1, 1000 + i)


def pupil(i, clean):
    surname, first = SURNAMES[i], FIRST_NAMES[i]
    female = first.endswith("a")
    lines = ["<DANE SWIADECTW DLA: %s %s>" % (surname, first),
             "wiersz pomijany przez program",
             "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
             "<Nazwisko_DATA_EDIT>" + surname,
             "<Imie_DATA_EDIT>" + first,
             "<Plec_DATA_COMBOBOX>" + ("kobieta" if female else "mężczyzna"),
             "<UrodzonyDnia_DATA_EDIT>%d.%02d" % (i % 28 + 1, i % 12 + 1),
             "<UrodzonyRok_DATA_COMBOBOX>2001",
             "<UrodzonyMiasto_DATA_COMBOBOX>Kędzierzyn-Koźle",
             "<UrodzonyWoj_DATA_COMBOBOX>opolskie",
             "<NrDziennika_DATA_EDIT>%d" % (i + 1),
             "<NrPesel_DATA_EDIT>" + pesel(i),
             "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>"]
    a = "a" if female else ""
    cert = lambda doc, klasa, rok: (
        ["<%s>" % doc,
         "<ZMIENNA_ImieNazwisko_STR1_DATA_EDIT>%s %s" % (first, surname),
         "<ZMIENNA_DataUrodzenia_STR1_DATA_EDIT>%d.%02d.2001" % (i % 28 + 1, i % 12 + 1),
         "<ZMIENNA_MiejsceUrodzenia_STR1_DATA_EDIT>Kędzierzyn-Koźle",
         "<ZMIENNA_NrPesel_STR1_DATA_EDIT>" + pesel(i),
         "<ZMIENNA_UczeszczalA_STR1_DATA_EDIT>" + a,
         "<ZMIENNA_RokSzkolny1_STR1_DATA_EDIT>%d" % rok,
         "<ZMIENNA_RokSzkolny2_STR1_DATA_EDIT>%d" % (rok + 1),
         "<ZMIENNA_Klasa_STR1_DATA_EDIT>" + klasa,
         "<ZMIENNA_NazwaSzkolyPodstawowej1_STR1_DATA_EDIT>Szkoła Podstawowa",
         "<ZMIENNA_NrSzkoly_STR1_DATA_EDIT>3",
         "<ZMIENNA_ImieSzkoly1_STR1_DATA_EDIT>Marii Skłodowskiej-Curie",
         "<ZMIENNA_SzkolaMiasto_STR1_DATA_EDIT>Opolu",
         "<ZMIENNA_SzkolaWoj_STR1_DATA_EDIT>opolskie",
         "<ZMIENNA_OtrzymalA_STR1_DATA_EDIT>" + a,
         "<ZMIENNA_Miejscowosc_STR1_DATA_EDIT>",
         "</%s>" % doc])
    lines += cert(CERT_4A, "IV", 2011)
    if i % 3 == 0:
        lines += ["", "   "]  # blank lines between two document blocks
    lines += cert(CERT_5A, "V", 2012)
    lines += ["<%s>" % SHEET_6B,
              "<ZMIENNA_Rok1_DATA_EDIT>2011/2012",
              "<ZMIENNA_Klasa1_DATA_EDIT>IV",
              "<ZMIENNA_Szczegolne1_DATA_MEMO>Konkurs matematyczny > etap szkolny",
              "<ZMIENNA_Szczegolne1_DATA_MEMO>Zawody pływackie: 2. miejsce",
              "<ZMIENNA_Szczegolne1_DATA_MEMO>Gra na skrzypcach",
              "<ZMIENNA_GodzOpuszczoneOgolem1_DATA_EDIT>%d" % (i * 3),
              "<ZMIENNA_InfoOEgzaminach1_DATA_MEMO>brak",
              "<ZMIENNA_DataUchwaly1_DATA_MEMO>20.06.2012",
              "<ZMIENNA_DataUchwaly1_DATA_MEMO>uchwała nr 7\rrady pedagogicznej",
              "</%s>" % SHEET_6B]
    uwagi = "x" * 2100 if i == 7 and not clean else "Uwagi: \"grzeczny\" <ale> gadatliwy"
    lines += ["<%s>" % MEETING,
              "<ZMIENNA_ImieNazwisko_DATA_EDIT>%s %s" % (first, surname),
              "<ZMIENNA_Klasa_DATA_EDIT>IV b",
              "<ZMIENNA_RokSzkolny1_DATA_EDIT>2011",
              "<ZMIENNA_RokSzkolny2_DATA_EDIT>2012",
              "<ZMIENNA_ZachowanieOcn_DATA_EDIT>bardzo dobre",
              "<ZMIENNA_Spoznien_DATA_EDIT>",
              "<ZMIENNA_Uwagi_DATA_EDIT>" + uwagi,
              "</%s>" % MEETING,
              "</KONIEC DANYCH SWIADECTW>",
              ""]
    return lines


def without_pesel():
    return ["<DANE SWIADECTW DLA: Bezpeselowy Adam>",
            "<DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
            "<Nazwisko_DATA_EDIT>Bezpeselowy",
            "<Imie_DATA_EDIT>Adam",
            "</DANE UCZNIA SZKOLY PODSTAWOWEJ 4-6>",
            "<%s>" % MEETING,
            "<ZMIENNA_Klasa_DATA_EDIT>IV b",
            "</%s>" % MEETING,
            "</KONIEC DANYCH SWIADECTW>"]


def main():
    if len(sys.argv) < 2 or sys.argv[1].startswith("-"):
        sys.exit(__doc__)
    clean = "--clean" in sys.argv[2:]
    data = b"Dane swiadectw - plik programu\r\n"
    for i in range(30):
        end = b"\n" if i % 4 == 1 else b"\r\n"
        data += b"".join(line.encode("cp1250") + end for line in pupil(i, clean))
        if i == 14 and not clean:
            data += b"".join(line.encode("cp1250") + b"\r\n" for line in without_pesel())
    data += b"\x1a<DANE SWIADECTW DLA: po znaku konca pliku>\r\n"
    with open(sys.argv[1], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
