// build_calibration_sql FACE.txt OUT.sql
//
// Compiles the description of the certificates' printed face (resources/calibration/) into one
// SQL script of rows for the 24 certificate calibration tables. The face is described once; each
// entry may say for which members it holds, and this tool expands it into every table:
//   - a series (klasa_4a ...): marks, labels, dotted lines and data fields, since these are
//     printed whole onto blank paper;
//   - plain series (klasa_4 ...): data fields only, since the form is pre-printed;
//   - every "_bk" table: its partner's rows without the dotted lines.
// Row order is drawing order: labels, marks, dotted lines, data fields, each group in the order
// of the description. The marks follow the labels so the stamp place's "m.p." is set in their
// face (a mark keeps the canvas's face), and precede the data so no field ends up under a mark.
// A malformed description stops the build with "file:line: message".

#include <cmath>
#include <cstdio>
#include <optional>

#include <QFile>
#include <QHash>
#include <QList>
#include <QSaveFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

namespace {

constexpr int kPageWidth = 885;
constexpr int kPageHeight = 1314;

struct Style {
    QString font;
    int size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
};

// One certificate: grade 4, 5 (promotion) or 6 (school-leaving), with distinction or not,
// a series or plain series.
struct Member {
    int grade;
    bool distinction;
    bool seriesA;

    QString table(bool withoutDots) const {
        QString name = QStringLiteral("klasa_%1").arg(grade);
        if (seriesA) name += QLatin1Char('a');
        if (distinction) name += QStringLiteral("_wyr");
        if (withoutDots) name += QStringLiteral("_bk");
        return name;
    }
};

QList<Member> allMembers() {
    QList<Member> members;
    for (int grade : {4, 5, 6})
        for (bool seriesA : {false, true})
            for (bool distinction : {false, true}) members.append({grade, distinction, seriesA});
    return members;
}

// The member sets an entry may be limited to; "!" in front of a name negates it.
struct NamedCondition {
    const char* name;
    bool (*holds)(const Member&);
};

const NamedCondition kConditions[] = {
    {"promotion", [](const Member& m) { return m.grade != 6; }},
    {"leaving", [](const Member& m) { return m.grade == 6; }},
    {"grade4", [](const Member& m) { return m.grade == 4; }},
    {"grade5", [](const Member& m) { return m.grade == 5; }},
    {"grade6", [](const Member& m) { return m.grade == 6; }},
    {"distinction", [](const Member& m) { return m.distinction; }},
    {"series-a", [](const Member& m) { return m.seriesA; }},
    {"series-plain", [](const Member& m) { return !m.seriesA; }},
};

struct Condition {
    const NamedCondition* named = nullptr;
    bool negated = false;

    bool holdsFor(const Member& m) const { return named->holds(m) != negated; }
};

enum class Kind { Mark, Label, Line, Field };

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
    // What appears in the plain series: only what the pre-printed form lacks.
    bool printedOnPreprintedForm() const { return kind == Kind::Field; }

    QString dotLineName() const {
        QString stem = name;
        for (const char* suffix : {"_DATA_EDIT", "_DATA_COMBOBOX"})
            if (stem.endsWith(QLatin1String(suffix))) stem.chop(int(qstrlen(suffix)));
        return stem + QStringLiteral("_LINIA_Z_KROPEK");
    }
};

// The text box above the writing line: the renderer puts the text's top at y2 minus the font's
// cell height minus size/4, the font being sized in pixels at 96 per inch (rounded). Serif faces
// have a cell of about 1.11 em; 1.15 leaves headroom.
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
        if (directive == QLatin1String("style"))
            parseStyle(words);
        else if (directive == QLatin1String("dot-offset"))
            parseDotOffset(words);
        else if (directive == QLatin1String("side"))
            parseSide(words);
        else if (directive == QLatin1String("mark"))
            parseMark(words);
        else if (directive == QLatin1String("label"))
            parseText(Kind::Label, words);
        else if (directive == QLatin1String("field"))
            parseText(Kind::Field, words);
        else if (directive == QLatin1String("line"))
            parseLineEntry(words);
        else
            fail(QStringLiteral("unknown directive \"%1\"").arg(directive));
    }

    // Whole-description checks, after the last line.
    void finish() {
        for (const Entry& e : m_entries) {
            bool printed = false;
            for (const Member& m : allMembers())
                if (e.holdsFor(m) && (m.seriesA || e.printedOnPreprintedForm())) printed = true;
            if (!printed)
                throw ParseError(e.line,
                                 QStringLiteral("%1 is printed on no certificate").arg(e.name));
        }
        for (const Member& m : allMembers()) {
            QHash<QString, int> seen;
            for (const Entry& e : m_entries) {
                if (!e.holdsFor(m)) continue;
                QStringList names{e.name};
                if (e.dots) names << e.dotLineName();
                for (const QString& name : names) {
                    if (seen.contains(name))
                        throw ParseError(e.line,
                                         QStringLiteral("%1 is already placed for %2 at line %3")
                                             .arg(name, m.table(false))
                                             .arg(seen.value(name)));
                    seen.insert(name, e.line);
                }
            }
        }
    }

    const QList<Entry>& entries() const { return m_entries; }

private:
    [[noreturn]] void fail(const QString& message) const { throw ParseError(m_line, message); }

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

    void checkName(Kind kind, const QString& name) const {
        if (m_side == 0) fail(QStringLiteral("entry before the first \"side\""));
        const QString infix = QStringLiteral("_STR%1_").arg(m_side);
        switch (kind) {
            case Kind::Mark:
                if (!name.startsWith(QLatin1String("GRAFIKA: ")))
                    fail(QStringLiteral("a mark's name starts with \"GRAFIKA: \""));
                if (m_side != 1) fail(QStringLiteral("marks belong to side 1"));
                return;
            case Kind::Label:
                if (!name.startsWith(QLatin1String("STALY_")) ||
                    !name.endsWith(infix + QLatin1String("DATA_LABEL")))
                    fail(QStringLiteral("a label on side %1 is named STALY_..%2DATA_LABEL")
                             .arg(m_side)
                             .arg(infix));
                return;
            case Kind::Line:
                if (!name.endsWith(infix + QLatin1String("LINIA_Z_KROPEK")))
                    fail(QStringLiteral("a dotted line on side %1 is named ..%2LINIA_Z_KROPEK")
                             .arg(m_side)
                             .arg(infix));
                return;
            case Kind::Field:
                if (!name.startsWith(QLatin1String("ZMIENNA_")) ||
                    !(name.endsWith(infix + QLatin1String("DATA_EDIT")) ||
                      name.endsWith(infix + QLatin1String("DATA_COMBOBOX"))))
                    fail(QStringLiteral(
                             "a field on side %1 is named ZMIENNA_..%2DATA_EDIT or ..DATA_COMBOBOX")
                             .arg(m_side)
                             .arg(infix));
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
            const QString name = c.negated ? token.mid(1) : token;
            QStringList known;
            for (const NamedCondition& named : kConditions) {
                if (name == QLatin1String(named.name)) c.named = &named;
                known << QLatin1String(named.name);
            }
            if (!c.named)
                fail(QStringLiteral("unknown condition \"%1\" (known: %2)")
                         .arg(token, known.join(QLatin1String(", "))));
            conditions << c;
        }
        return conditions;
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
    void parseText(Kind kind, QStringList words) {
        Entry e;
        e.kind = kind;
        e.line = m_line;
        e.when = takeConditions(words);
        if (words.size() < 6)
            fail(QStringLiteral("expected: %1 NAME X1 X2 Y2 STYLE ALIGN [dots [X1 X2]] [when ...]")
                     .arg(kind == Kind::Label ? QLatin1String("label") : QLatin1String("field")));
        e.name = words.at(0);
        checkName(kind, e.name);
        e.x1 = integer(words.at(1), "x1");
        e.x2 = integer(words.at(2), "x2");
        e.y2 = integer(words.at(3), "y2");
        e.style = style(words.at(4));
        e.y1 = e.y2 - textBoxHeight(e.style.size);
        e.align = alignment(words.at(5));
        checkOnPage(e.x1, e.y1, e.x2, e.y2);

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

    int alignment(const QString& word) const {
        static const QStringList names = {"left", "centre", "right", "justify"};
        const int index = int(names.indexOf(word));
        if (index < 0)
            fail(QStringLiteral("unknown alignment \"%1\" (left, centre, right, justify)")
                     .arg(word));
        return index;
    }

    QHash<QString, Style> m_styles;
    QList<Entry> m_entries;
    int m_side = 0;
    int m_dotOffset = 0;
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

QString tableRows(const QList<Entry>& entries, const Member& member, bool withoutDots) {
    const QString table = member.table(withoutDots);
    const bool wholeFace = member.seriesA;
    QString marks, labels, lines, fields;
    for (const Entry& e : entries) {
        if (!e.holdsFor(member)) continue;
        switch (e.kind) {
            case Kind::Mark:
                if (wholeFace) marks += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, 1);
                break;
            case Kind::Label:
                if (wholeFace)
                    labels += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, e.align);
                break;
            case Kind::Line:
                if (wholeFace && !withoutDots)
                    lines += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, 0);
                break;
            case Kind::Field:
                if (e.dots && wholeFace && !withoutDots) {
                    // The renderer draws dots at 14 points whatever the row says.
                    Style dotStyle;
                    dotStyle.font = e.style.font;
                    dotStyle.size = 14;
                    lines += row(table, e.dotLineName(), e.dotX1, e.dotY2 - 5, e.dotX2, e.dotY2,
                                 dotStyle, 0);
                }
                fields += row(table, e.name, e.x1, e.y1, e.x2, e.y2, e.style, e.align);
                break;
        }
    }
    return QStringLiteral("\n-- %1\n").arg(table) + labels + marks + lines + fields;
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: build_calibration_sql FACE.txt OUT.sql\n");
        return 1;
    }
    const QString inPath = QFile::decodeName(argv[1]);
    const QString outPath = QFile::decodeName(argv[2]);
    const std::optional<QString> text = readUtf8(inPath);
    if (!text) return 1;

    FaceParser parser;
    try {
        const QStringList lines = text->split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) parser.parseLine(lines.at(i), i + 1);
        parser.finish();
    } catch (const ParseError& e) {
        std::fprintf(stderr, "%s:%d: %s\n", qPrintable(inPath), e.line(), qPrintable(e.message()));
        return 1;
    }

    QString script = QStringLiteral(
        "-- Generated by build_calibration_sql from the certificate face "
        "description; edit that, not this.\n");
    for (const Member& member : allMembers())
        for (bool withoutDots : {false, true})
            script += tableRows(parser.entries(), member, withoutDots);

    // Written in one step, so an interrupted build never leaves half a script behind.
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(script.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(outPath), qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
