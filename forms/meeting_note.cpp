#include "meeting_note.h"

#include <QPair>

#include "component_builders.h"

using namespace builders;

namespace {

constexpr int kMarks = 42;  // every field of marks, behaviour, hours and late arrivals
constexpr int kLabelPixels = 13;
constexpr int kSlashPixels = 11;

Component limited(const char* stem, int maxLength) {
    return dataEdit(QStringLiteral("ZMIENNA_%1_DATA_EDIT").arg(QLatin1String(stem)), maxLength);
}

Component caption(const char* stem, const char* text, int pixels = kLabelPixels) {
    return fixedText(QStringLiteral("STALY_%1_DATA_LABEL").arg(QLatin1String(stem)), u8(text),
                     pixels);
}

}  // namespace

QList<Component> meetingNoteComponents() {
    Component name = limited("ImieNazwisko", 50);
    name.readOnly = true;  // copied from the pupil data
    name.enabled = false;
    QList<Component> list{
        name,
        limited("Klasa", 12),
        limited("RokSzkolny1", 4),
        limited("RokSzkolny2", 4),
        suggestingCombo(QStringLiteral("ZMIENNA_Semestr_DATA_COMBOBOX"),
                        utf8List({"pierwszy", "drugi"}), 20),
        limited("ZachowanieOcn", kMarks),
        limited("ReligiaOcn", kMarks),
        limited("JPolskiOcn", kMarks),
        limited("JObcyOpis", 32),
        limited("JObcyOcn", kMarks),
        limited("MuzykaOcn", kMarks),
        limited("PlastykaOcn", kMarks),
        limited("HistoriaOcn", kMarks),
        limited("PrzyrodaOcn", kMarks),
        limited("MatematykaOcn", kMarks),
        limited("InformatykaOcn", kMarks),
        limited("TechnikaOcn", kMarks),
        limited("WfOcn", kMarks),
    };
    for (int k = 1; k <= 5; ++k) {
        list << dataEdit(QStringLiteral("ZMIENNA_Dodatkowy%1_DATA_EDIT").arg(k), 38)
             << dataEdit(QStringLiteral("ZMIENNA_DodatkowyOcn%1_DATA_EDIT").arg(k), kMarks);
    }
    list << limited("GodzOpuszczoneOgolem", kMarks) << limited("GodzOpuszczoneNieusp", kMarks)
         << limited("Spoznien", kMarks);
    return list + meetingNoteLabels();
}

QList<Component> meetingNoteLabels() {
    return {
        caption("ImieNazwisko", "Imię i nazwisko:"),
        caption("Klasa", "klasa:"),
        caption("RokSzkolny", "rok szkolny"),
        caption("RokSzkolnySlash", "/", kSlashPixels),
        caption("Semestr", "semestr"),
        caption("Zachowanie", "zachowanie"),
        caption("Religia", "religia / etyka"),
        caption("JPolski", "język polski"),
        caption("JObcy", "język"),
        caption("Muzyka", "muzyka"),
        caption("Plastyka", "plastyka"),
        caption("Historia", "historia i społeczeństwo"),
        caption("Przyroda", "przyroda"),
        caption("Matematyka", "matematyka"),
        caption("Informatyka", "zajęcia komputerowe"),
        caption("Technika", "zajęcia techniczne"),
        caption("Wf", "wychowanie fizyczne"),
        caption("GodzOpuszczone", "godziny opuszczone:"),
        caption("GodzOpuszczOgolem", "- ogółem"),
        caption("GodzOpuszczNieusp", "- w tym nieusprawiedliwione"),
        caption("Spoznien", "liczba spóźnień"),
    };
}

void fillMeetingNoteSampleData(FormModel& note) {
    if (note.windowName() != QLatin1String(kMeetingNoteWindow)) return;
    const QString marks = QStringLiteral("1,2,3,4,5");
    for (int i = 0; i < note.componentCount(); ++i) {
        const QString& name = note.component(i).name;
        if (name.contains(QLatin1String("Ocn_")) || name.contains(QLatin1String("DodatkowyOcn")))
            note.setText(name, marks);
    }
    const QPair<const char*, const char*> samples[] = {
        {"ZMIENNA_ImieNazwisko_DATA_EDIT", "imię i nazwisko"},
        {"ZMIENNA_Klasa_DATA_EDIT", "pierwsza"},
        {"ZMIENNA_RokSzkolny1_DATA_EDIT", "2009"},
        {"ZMIENNA_RokSzkolny2_DATA_EDIT", "2010"},
        {"ZMIENNA_Semestr_DATA_COMBOBOX", "pierwszy"},
        {"ZMIENNA_JObcyOpis_DATA_EDIT", "angielski"},
        {"ZMIENNA_ZachowanieOcn_DATA_EDIT", "dobre"},
        {"ZMIENNA_GodzOpuszczoneOgolem_DATA_EDIT", "1"},
        {"ZMIENNA_GodzOpuszczoneNieusp_DATA_EDIT", "2"},
        {"ZMIENNA_Spoznien_DATA_EDIT", "3"},
    };
    for (const auto& [name, text] : samples) note.setText(QLatin1String(name), u8(text));
    for (int k = 1; k <= 5; ++k)
        note.setText(QStringLiteral("ZMIENNA_Dodatkowy%1_DATA_EDIT").arg(k),
                     QStringLiteral("dodatkowy %1").arg(k));
}
