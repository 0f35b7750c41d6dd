#pragma once

// The document families the calibration tables belong to, and one entry of a face description.

#include <QList>
#include <QString>
#include <QStringList>

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

// The four families in the order their descriptions may come.
const QList<Family>& families();
// The directive that writes an entry of this kind ("frame", "memo", ...).
QString kindName(Kind kind);
