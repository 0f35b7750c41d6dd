#include "face_model.h"

namespace {

QList<Member> certificateMembers() {
    QList<Member> members;
    for (int grade : {4, 5, 6})
        for (bool seriesA : {false, true})
            for (bool distinction : {false, true})
                for (bool withoutDots : {false, true}) {
                    Member m;
                    m.table = QStringLiteral("klasa_%1").arg(grade);
                    if (seriesA) m.table += QLatin1Char('a');
                    if (distinction) m.table += QStringLiteral("_wyr");
                    if (withoutDots) m.table += QStringLiteral("_bk");
                    m.wholeFace = seriesA;
                    m.withoutDots = withoutDots;
                    m.traits << (grade == 6 ? QStringLiteral("leaving") : QStringLiteral("promotion"))
                             << QStringLiteral("grade%1").arg(grade)
                             << (seriesA ? QStringLiteral("series-a") : QStringLiteral("series-plain"));
                    if (distinction) m.traits << QStringLiteral("distinction");
                    members << m;
                }
    return members;
}

Member sheetMember(const char* table, bool seriesB, QStringList traits) {
    Member m;
    m.table = QLatin1String(table);
    m.wholeFace = seriesB;
    m.traits = std::move(traits);
    m.traits << (seriesB ? QStringLiteral("series-b") : QStringLiteral("series-basic"));
    return m;
}

}  // namespace

const QList<Family>& families() {
    static const QList<Family> list = [] {
        const QStringList seriesConditions{"series-b", "series-basic"};
        QList<Family> all;
        all << Family{QStringLiteral("certificate"),
                      true,
                      {Kind::Mark, Kind::Label, Kind::Line, Kind::Field},
                      {"promotion", "leaving", "grade4", "grade5", "grade6", "distinction",
                       "series-a", "series-plain"},
                      certificateMembers()};
        all << Family{QStringLiteral("meeting-note"),
                      false,
                      {Kind::Label, Kind::Line, Kind::Field},
                      {},
                      {sheetMember("wywiadowka", true, {})}};
        const QList<Kind> sheetKinds{Kind::Frame, Kind::Label, Kind::Line, Kind::Field,
                                     Kind::MemoLine};
        all << Family{QStringLiteral("grade-sheet-title"),
                      false,
                      sheetKinds,
                      seriesConditions,
                      {sheetMember("arkusz_str1", false, {}), sheetMember("arkusz_str1b", true, {})}};
        // Pages VI, VII and VIII of the basic sheet hold two school years each; the b series has
        // one page per grade, with an annual and a final column on the last.
        all << Family{QStringLiteral("grade-sheet-year"),
                      false,
                      sheetKinds,
                      seriesConditions + QStringList{"grade4", "grade5", "grade6", "one-column",
                                                     "two-columns"},
                      {sheetMember("arkusz_klasa_4", false, {"grade4", "two-columns"}),
                       sheetMember("arkusz_klasa_5", false, {"grade5", "two-columns"}),
                       sheetMember("arkusz_klasa_6", false, {"grade6", "two-columns"}),
                       sheetMember("arkusz_klasa_4b", true, {"grade4", "one-column"}),
                       sheetMember("arkusz_klasa_5b", true, {"grade5", "one-column"}),
                       sheetMember("arkusz_klasa_6b", true, {"grade6", "two-columns"})}};
        return all;
    }();
    return list;
}

QString kindName(Kind kind) {
    switch (kind) {
        case Kind::Frame: return QStringLiteral("frame");
        case Kind::Mark: return QStringLiteral("mark");
        case Kind::Label: return QStringLiteral("label");
        case Kind::Line: return QStringLiteral("line");
        case Kind::Field: return QStringLiteral("field");
        case Kind::MemoLine: return QStringLiteral("memo");
    }
    return QString();
}
