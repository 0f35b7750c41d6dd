#include "face_parser.h"

#include <cmath>

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr int kPageWidth = 885;
constexpr int kPageHeight = 1314;
constexpr int kMaxMemoLines = 99;  // the line suffix has two digits
constexpr int kMaxFrames = 999;    // frames are numbered with three digits

int textBoxHeight(int points) {
    const int pixels = (points * 96 + 36) / 72;
    return int(std::ceil(pixels * 1.15)) + points / 4;
}

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

}  // namespace

class FaceParser::Impl {
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

FaceParser::FaceParser() : m_impl(std::make_unique<Impl>()) {}
FaceParser::~FaceParser() = default;

void FaceParser::parseLine(const QString& text, int line) {
    m_impl->parseLine(text, line);
}

void FaceParser::finish() {
    m_impl->finish();
}

const Family* FaceParser::family() const {
    return m_impl->family();
}

const QList<Entry>& FaceParser::entries() const {
    return m_impl->entries();
}
