// build_calibration_sql FACE.txt... OUT.sql
//
// Compiles the descriptions of the documents' printed faces (resources/calibration/) into one
// SQL script of rows for the calibration tables. Each description file describes one document
// family once (its first directive says which); each entry may say for which members it holds,
// and this tool expands it into every member's table, each getting what its paper needs:
//   - printed whole onto blank paper (a-series certificates, the b series of the grade sheet,
//     the parents'-meeting note): frames, labels, marks, dotted lines and data;
//   - printed onto a pre-printed form (plain-series certificates, the basic grade sheet): the
//     data only;
//   - every certificate "_bk" table: its partner's rows without the dotted lines.
// A memo expands into one entry per line, named after the memo plus "01".."NN", in line order:
// the renderer counts a memo's lines by its consecutive entries. Frames are named
// "GRAFIKA: RAMKA 001".. in the order of their description.
// Row order is drawing order: frames, labels, marks, dotted lines, data, each group in the order
// of the description. The marks follow the labels so the stamp place's "m.p." is set in their
// face (a mark keeps the canvas's face), and precede the data so no field ends up under a mark.
// A malformed description stops the build with "file:line: message".

#include <cmath>
#include <cstdio>
#include <optional>

#include <QFile>
#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

namespace {

constexpr int kPageWidth = 885;
constexpr int kPageHeight = 1314;
constexpr int kMaxMemoLines = 99;  // the line suffix has two digits
constexpr int kMaxFrames = 999;    // frames are numbered with three digits

struct Style {
    QString font;
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

// One calibration table of a family and what its paper needs.
struct Member {
    QString table;
    bool wholeFace = false;    // blank paper: frames, labels, marks and dots besides the data
    bool withoutDots = false;  // a certificate's "_bk" set
    QStringList traits;        // what "when" conditions can ask of it
};

enum class Kind { Frame, Mark, Label, Line, Field, MemoLine };

// A document family: its members and which kinds of entry its pages can carry. Certificates
// have two sides whose names carry the page infix; the other documents are one page without it.
// Only grade-sheet pages draw frames and memos, only certificates the marks.
struct Family {
    QString name;  // the word after "document"
    bool twoSided = false;
    QList<Kind> kinds;
    QStringList conditions;
    QList<Member> members;
};

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

// "when" asks for a trait; "!" in front negates it.
struct Condition {
    QString trait;
    bool negated = false;

    bool holdsFor(const Member& m) const { return m.traits.contains(trait) != negated; }
};

struct Entry {
    Kind kind = Kind::Field;
    QString name;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Style style;
    int align = 0;
    bool dots = false;  // a field with its own dotted line
    int dotX1 = 0, dotX2 = 0, dotY2 = 0;
    QList<Condition> when;
    int line = 0;

    bool holdsFor(const Member& m) const {
        for (const Condition& c : when)
            if (!c.holdsFor(m)) return false;
        return true;
    }
    // What appears on a pre-printed form: only what the form lacks.
    bool isData() const { return kind == Kind::Field || kind == Kind::MemoLine; }
    bool printedIn(const Member& m) const { return holdsFor(m) && (m.wholeFace || isData()); }

    QString dotLineName() const {
        QString stem = name;
        for (const char* suffix : {"_DATA_EDIT", "_DATA_COMBOBOX"})
            if (stem.endsWith(QLatin1String(suffix))) stem.chop(int(qstrlen(suffix)));
        return stem + QStringLiteral("_LINIA_Z_KROPEK");
    }
};

int textBoxHeight(int points) {
    const int pixels = (points * 96 + 36) / 72;
    return int(std::ceil(pixels * 1.15)) + points / 4;
}

class ParseError {
public:
    ParseError(int line, QString message) : m_line(line), m_message(std::move(message)) {}
    int line() const { return m_line; }
    const QString& message() const { return m_message; }

private:
    int m_line;
    QString m_message;
};

// Splits a line into words; "quoted text" is one word; '#' outside quotes starts a comment.
QStringList tokenize(const QString& text, int line) {
    QStringList words;
    QString current;
    bool inWord = false;
    bool quoted = false;
    for (QChar c : text) {
        if (quoted) {
            if (c == QLatin1Char('"'))
                quoted = false;
            else
                current += c;
            continue;
        }
        if (c == QLatin1Char('#')) break;
        if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord) words << current;
            current.clear();
            inWord = false;
        } else {
            current += c;
            inWord = true;
        }
    }
    if (quoted) throw ParseError(line, QStringLiteral("unterminated quotation mark"));
    if (inWord) words << current;
    return words;
}

class FaceParser {
public:
    void parseLine(const QString& text, int line) {
        QStringList words = tokenize(text, line);
        if (words.isEmpty()) return;
        m_line = line;
        const QString directive = words.takeFirst();
        if (directive == QLatin1String("document")) {
            parseDocument(words);
            return;
        }
        if (!m_family) fail(QStringLiteral("a description starts with \"document FAMILY\" (%1)")
                                .arg(familyNames()));
        if (directive == QLatin1String("style"))
            parseStyle(words);
        else if (directive == QLatin1String("dot-offset"))
            parseDotOffset(words);
        else if (directive == QLatin1String("side"))
            parseSide(words);
        else if (directive == QLatin1String("frame"))
            parseFrame(words);
        else if (directive == QLatin1String("mark"))
            parseMark(words);
        else if (directive == QLatin1String("label"))
            parseText(Kind::Label, words);
        else if (directive == QLatin1String("field"))
            parseText(Kind::Field, words);
        else if (directive == QLatin1String("memo"))
            parseText(Kind::MemoLine, words);
        else if (directive == QLatin1String("line"))
            parseLineEntry(words);
        else
            fail(QStringLiteral("unknown directive \"%1\"").arg(directive));
    }

    // Whole-description checks, after the last line.
    void finish() {
        if (!m_family) throw ParseError(m_line, QStringLiteral("no \"document\" directive"));
        for (const Entry& e : m_entries) {
            bool printed = false;
            for (const Member& m : m_family->members) printed = printed || e.printedIn(m);
            if (!printed)
                throw ParseError(e.line, QStringLiteral("%1 is printed on no %2 page")
                                             .arg(e.name, m_family->name));
        }
        for (const Member& m : m_family->members) {
            QHash<QString, int> seen;
            for (const Entry& e : m_entries) {
                if (!e.holdsFor(m)) continue;
                // Frames are numbered; two of them are the same where they coincide.
                QStringList names{e.kind == Kind::Frame ? frameKey(e) : e.name};
                if (e.dots) names << e.dotLineName();
                for (const QString& name : names) {
                    if (seen.contains(name))
                        throw ParseError(e.line,
                                         QStringLiteral("%1 is already placed for %2 at line %3")
                                             .arg(name, m.table)
                                             .arg(seen.value(name)));
                    seen.insert(name, e.line);
                }
            }
        }
    }

    const Family* family() const { return m_family; }
    const QList<Entry>& entries() const { return m_entries; }

private:
    [[noreturn]] void fail(const QString& message) const { throw ParseError(m_line, message); }

    static QString familyNames() {
        QStringList names;
        for (const Family& f : families()) names << f.name;
        return names.join(QLatin1String(", "));
    }

    static QString frameKey(const Entry& e) {
        return QStringLiteral("the frame (%1, %2)-(%3, %4)")
            .arg(e.x1)
            .arg(e.y1)
            .arg(e.x2)
            .arg(e.y2);
    }

    void parseDocument(const QStringList& words) {
        if (m_family) fail(QStringLiteral("a description describes one document"));
        if (words.size() != 1) fail(QStringLiteral("expected: document FAMILY"));
        for (const Family& f : families())
            if (f.name == words.first()) m_family = &f;
        if (!m_family)
            fail(QStringLiteral("unknown document \"%1\" (known: %2)")
                     .arg(words.first(), familyNames()));
    }

    int integer(const QString& word, const char* what) const {
        bool ok = false;
        const int value = word.toInt(&ok);
        if (!ok)
            fail(QStringLiteral("%1 must be a whole number, not \"%2\"")
                     .arg(QLatin1String(what), word));
        return value;
    }

    void expectCount(const QStringList& words, int count, const char* usage) const {
        if (words.size() < count)
            fail(QStringLiteral("too few words; expected: %1").arg(QLatin1String(usage)));
    }

    void parseStyle(QStringList words) {
        expectCount(words, 3, "style ID \"FONT\" SIZE [bold] [italic] [underline] [strike]");
        const QString id = words.takeFirst();
        if (m_styles.contains(id)) fail(QStringLiteral("style %1 is already defined").arg(id));
        Style style;
        style.font = words.takeFirst();
        if (style.font.isEmpty()) fail(QStringLiteral("style %1 has no font").arg(id));
        style.size = integer(words.takeFirst(), "font size");
        if (style.size <= 0) fail(QStringLiteral("font size must be positive"));
        for (const QString& flag : words) {
            if (flag == QLatin1String("bold"))
                style.bold = true;
            else if (flag == QLatin1String("italic"))
                style.italic = true;
            else if (flag == QLatin1String("underline"))
                style.underline = true;
            else if (flag == QLatin1String("strike"))
                style.strike = true;
            else
                fail(QStringLiteral("unknown font flag \"%1\"").arg(flag));
        }
        m_styles.insert(id, style);
    }

    void parseDotOffset(const QStringList& words) {
        expectCount(words, 1, "dot-offset UNITS");
        if (words.size() > 1) fail(QStringLiteral("dot-offset takes one number"));
        m_dotOffset = integer(words.first(), "dot-offset");
    }

    void parseSide(const QStringList& words) {
        if (!m_family->twoSided)
            fail(QStringLiteral("a %1 page has one side").arg(m_family->name));
        if (words.size() != 1 ||
            (words.first() != QLatin1String("1") && words.first() != QLatin1String("2")))
            fail(QStringLiteral("expected: side 1 | side 2"));
        m_side = words.first().toInt();
    }

    Style style(const QString& id) const {
        const auto it = m_styles.constFind(id);
        if (it == m_styles.constEnd()) fail(QStringLiteral("unknown style \"%1\"").arg(id));
        return *it;
    }

    // The kinds of name the renderer draws by their markers; two-sided documents carry the
    // side's infix before the kind ("_STR1_DATA_EDIT"), one-page documents none.
    void checkName(Kind kind, const QString& name) const {
        if (!m_family->kinds.contains(kind))
            fail(QStringLiteral("a %1 page has no %2 entries").arg(m_family->name, kindName(kind)));
        if (m_family->twoSided && m_side == 0) fail(QStringLiteral("entry before the first \"side\""));
        static const QRegularExpression anyInfix(QStringLiteral("_STR[0-9]+_"));
        if (!m_family->twoSided && name.contains(anyInfix))
            fail(QStringLiteral("a %1 page's names carry no page infix").arg(m_family->name));
        const QString infix =
            m_family->twoSided ? QStringLiteral("_STR%1_").arg(m_side) : QStringLiteral("_");
        const QString where =
            m_family->twoSided ? QStringLiteral(" on side %1").arg(m_side) : QString();
        switch (kind) {
            case Kind::Frame:
                return;
            case Kind::Mark:
                if (!name.startsWith(QLatin1String("GRAFIKA: ")))
                    fail(QStringLiteral("a mark's name starts with \"GRAFIKA: \""));
                if (m_side != 1) fail(QStringLiteral("marks belong to side 1"));
                return;
            case Kind::Label:
                if (!name.startsWith(QLatin1String("STALY_")) ||
                    !name.endsWith(infix + QLatin1String("DATA_LABEL")))
                    fail(QStringLiteral("a label%1 is named STALY_..%2DATA_LABEL").arg(where, infix));
                return;
            case Kind::Line:
                if (!name.endsWith(infix + QLatin1String("LINIA_Z_KROPEK")))
                    fail(QStringLiteral("a dotted line%1 is named ..%2LINIA_Z_KROPEK")
                             .arg(where, infix));
                return;
            case Kind::Field:
                if (!name.startsWith(QLatin1String("ZMIENNA_")) ||
                    !(name.endsWith(infix + QLatin1String("DATA_EDIT")) ||
                      name.endsWith(infix + QLatin1String("DATA_COMBOBOX"))))
                    fail(QStringLiteral("a field%1 is named ZMIENNA_..%2DATA_EDIT or ..DATA_COMBOBOX")
                             .arg(where, infix));
                return;
            case Kind::MemoLine:
                // Stored files carry one memo under a misspelt prefix; it keeps its name.
                if (!(name.startsWith(QLatin1String("ZMIENNA_")) ||
                      name == QLatin1String("ZMEINNA_WynikSprawdzianu_DATA_MEMO")) ||
                    !name.endsWith(QLatin1String("_DATA_MEMO")))
                    fail(QStringLiteral("a memo is named ZMIENNA_.._DATA_MEMO"));
                return;
        }
    }

    void checkOnPage(int x1, int y1, int x2, int y2) const {
        if (x1 >= x2 || y1 >= y2)
            fail(QStringLiteral("empty rectangle (%1, %2)-(%3, %4)")
                     .arg(x1)
                     .arg(y1)
                     .arg(x2)
                     .arg(y2));
        if (x1 < 0 || y1 < 0 || x2 > kPageWidth || y2 > kPageHeight)
            fail(QStringLiteral("rectangle (%1, %2)-(%3, %4) leaves the %5 x %6 page")
                     .arg(x1)
                     .arg(y1)
                     .arg(x2)
                     .arg(y2)
                     .arg(kPageWidth)
                     .arg(kPageHeight));
    }

    // Trailing "when COND..." of an entry; the words before it are returned in `words`.
    QList<Condition> takeConditions(QStringList& words) const {
        QList<Condition> conditions;
        const int at = int(words.indexOf(QStringLiteral("when")));
        if (at < 0) return conditions;
        const QStringList tokens = words.mid(at + 1);
        words = words.mid(0, at);
        if (tokens.isEmpty()) fail(QStringLiteral("\"when\" without a condition"));
        for (const QString& token : tokens) {
            Condition c;
            c.negated = token.startsWith(QLatin1Char('!'));
            c.trait = c.negated ? token.mid(1) : token;
            if (!m_family->conditions.contains(c.trait))
                fail(QStringLiteral("unknown condition \"%1\" (known: %2)")
                         .arg(token, m_family->conditions.isEmpty()
                                         ? QStringLiteral("none")
                                         : m_family->conditions.join(QLatin1String(", "))));
            conditions << c;
        }
        return conditions;
    }

    // frame X1 Y1 X2 Y2 [when ...]: an outline; its font columns are unused. The renderer knows
    // a frame by "GRAFIKA: RAMKA" in its name; each gets its own number after it, since the
    // calibration store changes a row by its name and would otherwise move every frame at once.
    void parseFrame(QStringList words) {
        Entry e;
        e.kind = Kind::Frame;
        e.line = m_line;
        e.when = takeConditions(words);
        if (words.size() != 4) fail(QStringLiteral("expected: frame X1 Y1 X2 Y2 [when ...]"));
        checkName(Kind::Frame, QString());
        if (++m_frames > kMaxFrames)
            fail(QStringLiteral("more than %1 frames in one description").arg(kMaxFrames));
        e.name = QStringLiteral("GRAFIKA: RAMKA %1").arg(m_frames, 3, 10, QLatin1Char('0'));
        e.x1 = integer(words.at(0), "x1");
        e.y1 = integer(words.at(1), "y1");
        e.x2 = integer(words.at(2), "x2");
        e.y2 = integer(words.at(3), "y2");
        e.style.font = QStringLiteral("Times New Roman");
        e.style.size = 10;
        checkOnPage(e.x1, e.y1, e.x2, e.y2);
        m_entries << e;
    }

    void parseMark(QStringList words) {
        Entry e;
        e.kind = Kind::Mark;
        e.line = m_line;
        e.when = takeConditions(words);
        if (words.size() != 6)
            fail(QStringLiteral("expected: mark \"NAME\" X1 Y1 X2 Y2 STYLE [when ...]"));
        e.name = words.at(0);
        checkName(Kind::Mark, e.name);
        e.x1 = integer(words.at(1), "x1");
        e.y1 = integer(words.at(2), "y1");
        e.x2 = integer(words.at(3), "x2");
        e.y2 = integer(words.at(4), "y2");
        e.style = style(words.at(5));
        checkOnPage(e.x1, e.y1, e.x2, e.y2);
        m_entries << e;
    }

    void parseLineEntry(QStringList words) {
        Entry e;
        e.kind = Kind::Line;
        e.line = m_line;
        e.when = takeConditions(words);
        if (words.size() != 5)
            fail(QStringLiteral("expected: line NAME X1 X2 Y2 STYLE [when ...]"));
        e.name = words.at(0);
        checkName(Kind::Line, e.name);
        e.x1 = integer(words.at(1), "x1");
        e.x2 = integer(words.at(2), "x2");
        e.y2 = integer(words.at(3), "y2");
        e.y1 = e.y2 - 5;  // the dots' own band; only x1, x2 and y2 place them
        e.style = style(words.at(4));
        checkOnPage(e.x1, e.y1, e.x2, e.y2);
        m_entries << e;
    }

    // label|field NAME X1 X2 Y2 STYLE ALIGN [dots [X1 X2]] [when ...]
    // memo NAME X1 X2 Y2 STYLE ALIGN LINES PITCH [when ...]: line j (from 1) of the memo sits on
    // Y2 + (j - 1) x PITCH.
    void parseText(Kind kind, QStringList words) {
        Entry e;
        e.kind = kind;
        e.line = m_line;
        e.when = takeConditions(words);
        const QString usage =
            kind == Kind::MemoLine
                ? QStringLiteral("memo NAME X1 X2 Y2 STYLE ALIGN LINES PITCH [when ...]")
                : QStringLiteral("%1 NAME X1 X2 Y2 STYLE ALIGN [dots [X1 X2]] [when ...]")
                      .arg(kindName(kind));
        if (words.size() < (kind == Kind::MemoLine ? 8 : 6))
            fail(QStringLiteral("expected: ") + usage);
        e.name = words.at(0);
        checkName(kind, e.name);
        e.x1 = integer(words.at(1), "x1");
        e.x2 = integer(words.at(2), "x2");
        e.y2 = integer(words.at(3), "y2");
        e.style = style(words.at(4));
        e.y1 = e.y2 - textBoxHeight(e.style.size);
        e.align = alignment(words.at(5));
        checkOnPage(e.x1, e.y1, e.x2, e.y2);

        if (kind == Kind::MemoLine) {
            if (words.size() != 8) fail(QStringLiteral("expected: ") + usage);
            expandMemo(e, integer(words.at(6), "line count"), integer(words.at(7), "line pitch"));
            return;
        }
        const QStringList rest = words.mid(6);
        if (!rest.isEmpty()) {
            if (rest.first() != QLatin1String("dots") || (rest.size() != 1 && rest.size() != 3))
                fail(QStringLiteral("expected \"dots\" or \"dots X1 X2\" after the alignment"));
            if (kind != Kind::Field) fail(QStringLiteral("only a field has a dotted line"));
            e.dots = true;
            e.dotX1 = rest.size() == 3 ? integer(rest.at(1), "dots x1") : e.x1;
            e.dotX2 = rest.size() == 3 ? integer(rest.at(2), "dots x2") : e.x2;
            e.dotY2 = e.y2 + m_dotOffset;
            checkOnPage(e.dotX1, e.dotY2 - 5, e.dotX2, e.dotY2);
        }
        m_entries << e;
    }

    void expandMemo(const Entry& first, int lines, int pitch) {
        if (lines < 1 || lines > kMaxMemoLines)
            fail(QStringLiteral("a memo has 1 to %1 lines").arg(kMaxMemoLines));
        // Taller lines than their pitch would print into each other.
        const int height = first.y2 - first.y1;
        if (pitch < height)
            fail(QStringLiteral("a line pitch of %1 is below the %2 units a line of %3 points needs")
                     .arg(pitch)
                     .arg(height)
                     .arg(first.style.size));
        for (int j = 0; j < lines; ++j) {
            Entry e = first;
            e.name = first.name + QStringLiteral("%1").arg(j + 1, 2, 10, QLatin1Char('0'));
            e.y1 += j * pitch;
            e.y2 += j * pitch;
            checkOnPage(e.x1, e.y1, e.x2, e.y2);
            m_entries << e;
        }
    }

    int alignment(const QString& word) const {
        static const QStringList names = {"left", "centre", "right", "justify"};
        const int index = int(names.indexOf(word));
        if (index < 0)
            fail(QStringLiteral("unknown alignment \"%1\" (left, centre, right, justify)")
                     .arg(word));
        return index;
    }

    const Family* m_family = nullptr;
    QHash<QString, Style> m_styles;
    QList<Entry> m_entries;
    int m_side = 0;
    int m_dotOffset = 0;
    int m_frames = 0;
    int m_line = 0;
};

QString quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString row(const QString& table, const QString& name, int x1, int y1, int x2, int y2,
            const Style& s, int align) {
    return QStringLiteral(
               "insert into `%1` values(%2, %3, %4, %5, %6, %7, %8, %9, %10, %11, %12, %13);\n")
        .arg(table, quoted(name))
        .arg(x1)
        .arg(y1)
        .arg(x2)
        .arg(y2)
        .arg(quoted(s.font))
        .arg(s.size)
        .arg(align)
        .arg(int(s.bold))
        .arg(int(s.italic))
        .arg(int(s.underline))
        .arg(int(s.strike));
}

QString tableRows(const QList<Entry>& entries, const Member& member) {
    const QString& table = member.table;
    const bool dots = member.wholeFace && !member.withoutDots;
    QString frames, marks, labels, lines, data;
    for (const Entry& e : entries) {
        if (!e.printedIn(member)) continue;
        switch (e.kind) {
            case Kind::Frame:
                frames += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, 0);
                break;
            case Kind::Mark:
                marks += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, 1);
                break;
            case Kind::Label:
                labels += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, e.align);
                break;
            case Kind::Line:
                if (dots) lines += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, 0);
                break;
            case Kind::Field:
            case Kind::MemoLine:
                if (e.dots && dots) {
                    // The renderer draws dots at 14 points whatever the row says.
                    Style dotStyle;
                    dotStyle.font = e.style.font;
                    dotStyle.size = 14;
                    lines += row(table, e.dotLineName(), e.dotX1, e.dotY2 - 5, e.dotX2, e.dotY2,
                                 dotStyle, 0);
                }
                data += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, e.align);
                break;
        }
    }
    return QStringLiteral("\n-- %1\n").arg(table) + frames + labels + marks + lines + data;
}

std::optional<QString> readUtf8(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return std::nullopt;
    }
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString text = decoder.decode(file.readAll());
    if (decoder.hasError()) {
        std::fprintf(stderr, "%s: not valid UTF-8\n", qPrintable(path));
        return std::nullopt;
    }
    return text;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: build_calibration_sql FACE.txt... OUT.sql\n");
        return 1;
    }
    const QString outPath = QFile::decodeName(argv[argc - 1]);
    QString script = QStringLiteral(
        "-- Generated by build_calibration_sql from the descriptions of the documents' printed "
        "faces; edit those, not this.\n");
    QHash<const Family*, QString> describedIn;
    for (int i = 1; i < argc - 1; ++i) {
        const QString inPath = QFile::decodeName(argv[i]);
        const std::optional<QString> text = readUtf8(inPath);
        if (!text) return 1;

        FaceParser parser;
        try {
            const QStringList lines = text->split(QLatin1Char('\n'));
            for (int n = 0; n < lines.size(); ++n) {
                parser.parseLine(lines.at(n), n + 1);
                // Two descriptions of one document would fill its tables twice.
                const Family* family = parser.family();
                if (family && describedIn.contains(family) && describedIn.value(family) != inPath)
                    throw ParseError(n + 1, QStringLiteral("%1 is already described in %2")
                                                .arg(family->name, describedIn.value(family)));
                if (family) describedIn.insert(family, inPath);
            }
            parser.finish();
        } catch (const ParseError& e) {
            std::fprintf(stderr, "%s:%d: %s\n", qPrintable(inPath), e.line(),
                         qPrintable(e.message()));
            return 1;
        }
        for (const Member& member : parser.family()->members)
            script += tableRows(parser.entries(), member);
    }

    // Written in one step, so an interrupted build never leaves half a script behind.
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(script.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(outPath), qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
