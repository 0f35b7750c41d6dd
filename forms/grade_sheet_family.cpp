#include "grade_sheet_family.h"

#include <QHash>
#include <QPair>

#include "component_builders.h"

using namespace builders;

namespace {

using Components = QList<Component>;
using Choice = GradeSheetMember::CertificateChoice;

QString zmienna(const QString& stem, const char* kind = "_DATA_EDIT") {
    return QStringLiteral("ZMIENNA_") + stem + QLatin1String(kind);
}

Component fixed(const char* stem, const QString& caption) {
    return fixedText(QStringLiteral("STALY_%1_DATA_LABEL").arg(QLatin1String(stem)), caption);
}

Component fixed(const char* stem, const char* caption) {
    return fixed(stem, u8(caption));
}

// --- Title pages -----------------------------------------------------------------------------

Components titleData(const GradeSheetMember& m) {
    Components list;
    const auto edits = [&list](const char* stem, int count) {
        for (int k = 1; k <= count; ++k)
            list << dataEdit(zmienna(QLatin1String(stem) + QString::number(k)));
    };
    edits("NazwaSzkoly", 3);
    edits("SzkolaNiepublicznaProwadzonaPrzez", 2);
    list << dataEdit(zmienna(QStringLiteral("SzkolaNiepublicznaPodNr")))
         << copiedEdit(zmienna(QStringLiteral("ImieNazwisko")))
         << copiedEdit(zmienna(QStringLiteral("UrodzonyA")))
         << copiedEdit(zmienna(QStringLiteral("UrodzonyDnia")))
         << copiedEdit(zmienna(QStringLiteral("UrodzonyRok")))
         // Copied only while empty: the sheet may name the place its own way.
         << dataEdit(zmienna(QStringLiteral("UrodzonyMiasto")));
    for (int box = 1; box <= 11; ++box)
        list << copiedEdit(zmienna(QStringLiteral("Pesel%1").arg(box)));
    list << copiedEdit(zmienna(QStringLiteral("PrzyjetyA")));
    edits("RokSzkolny", 2);
    list << dataEdit(
                zmienna(m.bSeries ? QStringLiteral("DoKlasy") : QStringLiteral("DoKlasyNaSemestr")))
         << copiedEdit(zmienna(QStringLiteral("WpisanyA")))
         << dataEdit(zmienna(QStringLiteral("KsiegaUczenNr")))
         << dataEdit(zmienna(QStringLiteral("AdresZamieszkaniaUcznia")));
    edits("ImionaNazwiskaRodzicowIAdresy", 3);
    edits("InformacjaOIndywidualnymProgramie", 2);
    edits(m.bSeries ? "InformacjaOPrzedluzeniuOkNauki" : "InformacjaOWydluzeniuEtapu", 2);
    edits("InformacjaOSpelnianiuObowiazku", 2);
    edits("InformacjaOInnowacjach", 2);
    list << dataEdit(zmienna(QStringLiteral("DokonanoSprostowaniaSwiadectwa")))
         << dataEdit(zmienna(QStringLiteral("WydanoSwiadectwoUkonczeniaSzkoly")));
    edits("WydanoDuplikatSwiadectwa", 2);
    list << dataEdit(zmienna(QStringLiteral("SporzadzonoOdpisArkuszaOcen")));
    edits("DataPrzyczynaOpuszczeniaSzkoly", 2);
    return list;
}

Components titleLabels(const GradeSheetMember& m) {
    return {
        fixed("MEN", m.formCode()),
        fixed("NazwaSzkoly", "(nazwa szkoły)"),
        fixed("SzkolaNiepubliczna",
              "Szkoła niepubliczna wpisana do ewidencji szkół niepublicznych prowadzonej przez"),
        fixed("SzkolaNiepublicznaPodNr", "pod numerem"),
        fixed("ArkuszOcen", "ARKUSZ OCEN UCZNIA"),
        fixed("SzkolaPodstawowa", "SZKOŁY PODSTAWOWEJ (klasy IV-VI)"),
        fixed("ImieNazwisko", "Imię (imiona) i nazwisko"),
        fixed("Urodzon", "Urodzon"),
        fixed("UrodzonyDnia", "dnia"),
        fixed("UrodzonyRok", "r."),
        fixed("UrodzonyMiasto", "w"),
        fixed("Pesel", "Numer PESEL"),
        fixed("Przyjet", "Przyjęt"),
        fixed("PrzyjetyDoKlasy", m.bSeries ? "do klasy" : "do klasy / na semestr"),
        fixed("RokSzkolny", "w roku szkolnym"),
        fixed("RokSzkolnySlash", "/"),
        fixed("Wpisan", "Wpisan"),
        fixed("KsiegaUczen", "do księgi uczniów pod numerem"),
        fixed("AdresZamieszkania", "Adres zamieszkania ucznia"),
        fixed("Rodzice", "Imiona i nazwiska rodziców (prawnych opiekunów) i ich adresy"),
        fixed("InfoIndywidualnyProgram",
              "Informacja o realizowaniu indywidualnego programu lub toku nauki"),
        fixed("InfoWydluzenie", m.bSeries ? "Informacja o przedłużeniu okresu nauki"
                                          : "Informacja o wydłużeniu etapu edukacyjnego"),
        fixed("InfoObowiazek", "Informacja o spełnianiu obowiązku szkolnego poza szkołą"),
        fixed("InfoInnowacje", "Informacja o realizowaniu innowacji lub eksperymentu"),
        fixed("Adnotacje", "Adnotacje"),
        fixed("Sprostowanie", "Dokonano sprostowania świadectwa"),
        fixed("WydanoSwiadectwo", "Wydano świadectwo ukończenia szkoły"),
        fixed("Duplikat", "Wydano duplikat świadectwa"),
        fixed("Odpis", "Sporządzono odpis arkusza ocen"),
        fixed("OpuszczenieSzkoly", "Data i przyczyna opuszczenia szkoły"),
    };
}

// --- Year pages ------------------------------------------------------------------------------

// The grade rows 1 to 12: stem of the grade boxes, fixed text stem, its suggestions.
struct GradeRow {
    const char* gradeStem;
    const char* labelStem;
    const QStringList& (*items)();
};

const GradeRow kGradeRows[] = {
    {"ZachowanieOcn", "Zachowanie", &behaviourItems},
    {"ReligiaOcn", "Religia", &religionItems},
    {"JPolskiOcn", "JPolski", &gradeItems},
    {"JObcyOcn", "JObcy", &gradeItems},
    {"MuzykaOcn", "Muzyka", &gradeItems},
    {"PlastykaOcn", "Plastyka", &gradeItems},
    {"HistoriaOcn", "Historia", &gradeItems},
    {"PrzyrodaOcn", "Przyroda", &gradeItems},
    {"MatematykaOcn", "Matematyka", &gradeItems},
    {"ZajeciaKomputeroweOcn", "ZajeciaKomputerowe", &gradeItems},
    {"ZajeciaTechniczneOcn", "ZajeciaTechniczne", &gradeItems},
    {"WfOcn", "Wf", &gradeItems},
};

Components yearData(const GradeSheetMember& m) {
    Components list;
    // One component per column: the stem followed by the column number.
    const auto perColumn = [&](const QString& stem, const auto& make) {
        for (int c = 1; c <= m.columns; ++c) list << make(stem + QString::number(c));
    };
    const auto edits = [&](const char* stem) {
        perColumn(QLatin1String(stem), [](const QString& s) { return dataEdit(zmienna(s)); });
    };
    const auto combos = [&](const QString& stem, const QStringList& items) {
        perColumn(stem, [&items](const QString& s) {
            return suggestingCombo(zmienna(s, "_DATA_COMBOBOX"), items);
        });
    };
    const auto memos = [&](const char* stem, int lines) {
        perColumn(QLatin1String(stem), [lines](const QString& s) {
            return limitedMemo(zmienna(s, "_DATA_MEMO"), lines);
        });
    };

    if (m.page == 7 && !m.bSeries) list << dataEdit(zmienna(QStringLiteral("WynikiKlasyfikacji2")));
    if (m.page == 8 && !m.bSeries) {
        list << dataEdit(zmienna(QStringLiteral("WynikiKlasyfikacji1")))
             << dataEdit(zmienna(QStringLiteral("WynikiKlasyfikacji2")));
    }
    edits("Rok");
    edits("Klasa");
    edits("NrDziennika");
    for (const GradeRow& row : kGradeRows) {
        if (QLatin1String(row.gradeStem) == QLatin1String("JObcyOcn"))
            list << dataEdit(zmienna(QStringLiteral("JObcyOpis")));  // one for both columns
        combos(QLatin1String(row.gradeStem), row.items());
    }
    // Rows 13 to 18: the subject's name is shared, its grades are per column ("Ocn" k c).
    for (const char* block : {"Dodatkowy", "DodatkowyEdu"}) {
        for (int k = 1; k <= 3; ++k) {
            list << dataEdit(zmienna(QStringLiteral("%1Opis%2").arg(QLatin1String(block)).arg(k)));
            combos(QStringLiteral("%1Ocn%2").arg(QLatin1String(block)).arg(k), gradeItems());
        }
    }
    memos("Szczegolne", kAchievementLines);
    edits("GodzOpuszczoneOgolem");
    edits("OpuszczoneNieusp");
    memos("InfoOEgzaminach", kExaminationLines);
    memos("DataUchwaly", kResolutionLines);
    if (m.page == 8) {
        // Stored files carry the b page's memo with its prefix misspelt; the name must stay.
        list << limitedMemo(m.bSeries ? QStringLiteral("ZMEINNA_WynikSprawdzianu_DATA_MEMO")
                                      : QStringLiteral("ZMIENNA_WynikSprawdzianu_DATA_MEMO"),
                            kTestResultLines);
    }
    if (m.bSeries) list << dataEdit(zmienna(QStringLiteral("Strona")));
    return list;
}

Components yearLabels(const GradeSheetMember& m) {
    Components list{
        fixed("MEN", m.formCode()),
        fixed("WynikiKlasyfikacji", m.page == 8 && m.bSeries
                                        ? "WYNIKI KLASYFIKACJI ROCZNEJ I KOŃCOWEJ"
                                        : "WYNIKI KLASYFIKACJI ROCZNEJ"),
    };
    // The page number is typed on the b pages only; the basic sheet has its own printed.
    if (m.bSeries) list << fixed("Str", "str.");
    // Column headings the page does not take as data.
    const bool typedHeading[3] = {false, m.page == 8 && !m.bSeries,
                                  (m.page == 7 || m.page == 8) && !m.bSeries};
    for (int c = 1; c <= m.columns; ++c) {
        if (typedHeading[c]) continue;
        const bool final = m.bSeries && m.page == 8 && c == 2;
        list << fixedText(QStringLiteral("STALY_Kolumna%1_DATA_LABEL").arg(c),
                          final ? u8("klasyfikacja końcowa") : u8("klasyfikacja roczna"));
    }
    list << fixed("RokSzkolny", "Rok szkolny") << fixed("Klasa", "Klasa")
         << fixed("NrDziennika", "Numer w dzienniku") << fixed("Lp", "Lp.")
         << fixed("ZajeciaEdukacyjne", "Zajęcia edukacyjne")
         << fixed("ObowiazkoweZajecia", "Obowiązkowe zajęcia edukacyjne");
    const char* rowCaptions[] = {"Zachowanie",
                                 "Religia / etyka",
                                 "Język polski",
                                 "Język obcy nowożytny",
                                 "Muzyka",
                                 "Plastyka",
                                 "Historia i społeczeństwo",
                                 "Przyroda",
                                 "Matematyka",
                                 m.bSeries ? "Zajęcia komputerowe" : "Informatyka",
                                 m.bSeries ? "Zajęcia techniczne" : "Technika",
                                 "Wychowanie fizyczne"};
    for (int row = 0; row < 12; ++row) list << fixed(kGradeRows[row].labelStem, rowCaptions[row]);
    list << fixed("DodatkoweZajecia", "Dodatkowe zajęcia edukacyjne")
         << fixed("Szczegolne", "Szczególne osiągnięcia")
         << fixed("GodzOpuszczone", "Liczba godzin opuszczonych:")
         << fixed("GodzOpuszczoneOgolem", "ogółem")
         << fixed("GodzOpuszczoneNieusp", "w tym nieusprawiedliwionych")
         << fixed("InfoOEgzaminach",
                  "Informacja o egzaminach poprawkowych, klasyfikacyjnych i sprawdzających")
         << fixed("DataUchwaly", "Data uchwały rady pedagogicznej");
    // The row numbers of the table's first column.
    for (int row = 1; row <= 22; ++row) {
        list << fixedText(QStringLiteral("STALY_Lp%1_DATA_LABEL").arg(row, 2, 10, QLatin1Char('0')),
                          QStringLiteral("%1.").arg(row));
    }
    if (m.page == 8) {
        list << fixed("WynikSprawdzianu",
                      "Wynik sprawdzianu w ostatnim roku nauki w szkole podstawowej");
    }
    list << fixed("PodpisWychowawcy", "(podpis wychowawcy klasy)");
    return list;
}

// --- Sample data ---------------------------------------------------------------------------

// "InformacjaOInnowacjach" -> "informacja o innowacjach".
QString wordsOf(const QString& stem) {
    QString words;
    for (const QChar ch : stem) {
        if (ch.isUpper() && !words.isEmpty()) words += QLatin1Char(' ');
        words += ch.toLower();
    }
    return words;
}

// The sample texts of the year pages name the row briefly, then its row and column numbers.
QString yearPageWord(const QString& stem) {
    static const QHash<QString, QString> words{
        {QStringLiteral("Rok"), QStringLiteral("rok")},
        {QStringLiteral("Klasa"), QStringLiteral("klasa")},
        {QStringLiteral("NrDziennika"), QStringLiteral("nr dz.")},
        {QStringLiteral("ZachowanieOcn"), QStringLiteral("zachowanie")},
        {QStringLiteral("ReligiaOcn"), QStringLiteral("religia")},
        {QStringLiteral("JPolskiOcn"), QStringLiteral("polski")},
        {QStringLiteral("JObcyOcn"), QStringLiteral("obcy")},
        {QStringLiteral("JObcyOpis"), QStringLiteral("j. obcy")},
        {QStringLiteral("MuzykaOcn"), QStringLiteral("muzyka")},
        {QStringLiteral("PlastykaOcn"), QStringLiteral("plastyka")},
        {QStringLiteral("HistoriaOcn"), QStringLiteral("historia")},
        {QStringLiteral("PrzyrodaOcn"), QStringLiteral("przyroda")},
        {QStringLiteral("MatematykaOcn"), QStringLiteral("matematyka")},
        {QStringLiteral("ZajeciaKomputeroweOcn"), QStringLiteral("komputerowe")},
        {QStringLiteral("ZajeciaTechniczneOcn"), QStringLiteral("techniczne")},
        {QStringLiteral("WfOcn"), QStringLiteral("wf")},
        {QStringLiteral("DodatkowyOpis"), QStringLiteral("dod.")},
        {QStringLiteral("DodatkowyOcn"), QStringLiteral("dod. ocn")},
        {QStringLiteral("DodatkowyEduOpis"), QStringLiteral("dod. edu")},
        {QStringLiteral("DodatkowyEduOcn"), QStringLiteral("dod. edu ocn")},
        {QStringLiteral("GodzOpuszczoneOgolem"), QStringLiteral("opuszcz. ogolem")},
        {QStringLiteral("OpuszczoneNieusp"), QStringLiteral("opuszcz. nieusp.")},
        {QStringLiteral("Szczegolne"), QStringLiteral("szczegolne")},
        {QStringLiteral("InfoOEgzaminach"), QStringLiteral("info. egzaminy")},
        {QStringLiteral("DataUchwaly"), QStringLiteral("uchwala")},
        {QStringLiteral("WynikSprawdzianu"), QStringLiteral("sprawdzian")},
    };
    return words.value(stem, wordsOf(stem));
}

// The title pages' own samples; every other field gets the words of its name.
const QHash<QString, QString>& titleSamples() {
    static const QHash<QString, QString> samples{
        {QStringLiteral("ImieNazwisko"), u8("imię i nazwisko")},
        {QStringLiteral("NazwaSzkoly1"), u8("nazwa szkoły 1")},
        {QStringLiteral("NazwaSzkoly2"), u8("nazwa szkoły 2")},
        {QStringLiteral("NazwaSzkoly3"), u8("nazwa szkoły 3")},
        {QStringLiteral("UrodzonyDnia"), QStringLiteral("1 stycznia")},
        {QStringLiteral("UrodzonyRok"), QStringLiteral("1980")},
        {QStringLiteral("UrodzonyMiasto"), QStringLiteral("Katowice")},
        {QStringLiteral("UrodzonyA"), QStringLiteral("y")},
        {QStringLiteral("PrzyjetyA"), QStringLiteral("a")},
        {QStringLiteral("WpisanyA"), QStringLiteral("a")},
        {QStringLiteral("RokSzkolny1"), QStringLiteral("2010")},
        {QStringLiteral("RokSzkolny2"), QStringLiteral("2011")},
    };
    return samples;
}

// "ZMIENNA_DodatkowyOcn21_DATA_COMBOBOX" -> {"DodatkowyOcn", "21"}.
QPair<QString, QString> stemAndNumber(const QString& name) {
    QString stem = name.section(QLatin1Char('_'), 1, 1);
    int digits = stem.size();
    while (digits > 0 && stem.at(digits - 1).isDigit()) --digits;
    return {stem.left(digits), stem.mid(digits)};
}

QString numbered(const QString& word, const QString& number) {
    return number.isEmpty() ? word : word + QLatin1Char(' ') + number;
}

// --- Members ---------------------------------------------------------------------------------

GradeSheetMember member(const char* windowName, const char* title, bool bSeries, int page,
                        int columns, QList<Choice> choices = {}) {
    GradeSheetMember m;
    m.windowName = u8(windowName);
    m.windowTitle = u8(title);
    m.bSeries = bSeries;
    m.page = page;
    m.columns = columns;
    m.certificateChoices = std::move(choices);
    return m;
}

Choice choice(const char* caption, const char* source) {
    return {u8(caption), u8(source)};
}

QList<GradeSheetMember> buildMembers() {
    const QList<Choice> grades4And5{
        choice("czwarta", "TFKlasa4"), choice("czwarta z wyr.", "TFKlasa4wyr"),
        choice("piąta", "TFKlasa5"), choice("piąta z wyr.", "TFKlasa5wyr")};
    return {
        member("TFArkuszStr1", "Arkusz ocen", false, 1, 0),
        member("TFArkuszStr1b", "MEN-I/37b/2 Arkusz ocen - strona tytułowa", true, 1, 0),
        member("TFArkuszStr6", "Arkusz - wkładka str 6", false, 6, 2, grades4And5),
        member("TFArkuszStr7", "Arkusz - wkładka str 7", false, 7, 2, grades4And5),
        member("TFArkuszStr8", "Arkusz - wkładka str 8", false, 8, 2,
               {choice("szósta", "TFKoniec"), choice("szósta z wyr.", "TFKoniecwyr")}),
        member("TFArkuszStr6b", "MEN-I/37b/2 Arkusz ocen - klasa 4", true, 6, 1,
               {choice("czwarta", "TFKlasa4a"), choice("czwarta z wyr.", "TFKlasa4awyr")}),
        member("TFArkuszStr7b", "MEN-I/37b/2 Arkusz ocen - klasa 5", true, 7, 1,
               {choice("piąta", "TFKlasa5a"), choice("piąta z wyr.", "TFKlasa5awyr")}),
        member("TFArkuszStr8b", "MEN-I/37b/2 Arkusz - klasa 6", true, 8, 2,
               {choice("szósta", "TFKonieca"), choice("szósta z wyr.", "TFKoniecawyr")}),
    };
}

}  // namespace

QString GradeSheetMember::formCode() const {
    return bSeries ? QStringLiteral("MEN-I/37b/2") : QStringLiteral("MEN-I/37/2");
}

const QList<GradeSheetMember>& gradeSheetMembers() {
    static const QList<GradeSheetMember> members = buildMembers();
    return members;
}

const GradeSheetMember* gradeSheetMember(const QString& windowName) {
    for (const GradeSheetMember& m : gradeSheetMembers()) {
        if (m.windowName == windowName) return &m;
    }
    return nullptr;
}

QList<Component> gradeSheetLabels(const GradeSheetMember& member) {
    return member.titlePage() ? titleLabels(member) : yearLabels(member);
}

void fillGradeSheetSampleData(FormModel& page) {
    const GradeSheetMember* member = gradeSheetMember(page.windowName());
    if (!member) return;
    for (int i = 0; i < page.componentCount(); ++i) {
        const Component& c = page.component(i);
        const auto [stem, number] = stemAndNumber(c.name);
        if (c.kind == ComponentKind::Memo) {
            page.clearLines(c.name);
            for (int line = 1; line <= c.maxLines; ++line) {
                page.appendLine(c.name, QStringLiteral("%1 linia %2")
                                            .arg(numbered(yearPageWord(stem), number))
                                            .arg(line));
            }
        } else if (c.kind == ComponentKind::Edit || c.kind == ComponentKind::ComboBox) {
            QString text;
            if (member->titlePage()) {
                text = titleSamples().value(stem + number);
                if (text.isEmpty()) text = numbered(wordsOf(stem), number);
            } else if (stem == QLatin1String("WynikiKlasyfikacji")) {
                text = QStringLiteral("wyn. klas");  // the column headings of page 8
            } else {
                text = numbered(yearPageWord(stem), number);
            }
            page.setText(c.name, text);
        }
    }
    if (member->titlePage()) {
        // A PESEL of the boxes "0" to "9", then "1".
        for (int box = 1; box <= 11; ++box)
            page.setText(QStringLiteral("ZMIENNA_Pesel%1_DATA_EDIT").arg(box),
                         QString::number(box <= 10 ? box - 1 : 1));
    } else {
        page.setText(QStringLiteral("ZMIENNA_Strona_DATA_EDIT"), QString::number(member->page));
    }
}

QList<Component> gradeSheetComponents(const GradeSheetMember& member) {
    return (member.titlePage() ? titleData(member) : yearData(member)) + gradeSheetLabels(member);
}
