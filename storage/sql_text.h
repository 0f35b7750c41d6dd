#pragma once

#include <QString>

// Helpers for composing statement text.
namespace sql {

// A value to stand between apostrophes: every apostrophe doubled.
inline QString escaped(QString value) { return value.replace(QLatin1Char('\''), QLatin1String("''")); }

// A table name to stand between backquotes: every backquote doubled, so a name read from a
// foreign file can neither break a statement nor change its meaning.
inline QString identifier(QString name) { return name.replace(QLatin1Char('`'), QLatin1String("``")); }

// A table name ready to stand in a statement: between backquotes, quoted as above.
inline QString quotedTable(const QString& table) {
    return QLatin1Char('`') + identifier(table) + QLatin1Char('`');
}

}  // namespace sql
