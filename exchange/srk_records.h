#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Field lines of a legacy class text file and the records made from them.

// One field as read: the pupil-data fields have no document id.
struct SrkImportRecord {
    QString id;
    QString compName;
    QString value;
    int line = 0;  // the file's line it comes from (the first one of a joined memo)
};
using SrkImportRecords = QList<SrkImportRecord>;

// "<NAME>VALUE": the name runs from after the first "<" to the next ">", the value is all after
// the first ">" (it may hold "<" and ">" or be empty). False when the line has no ">".
bool bFunParseSrkFieldLine(const QString& line, QString& compName, QString& value);

// The document id of a block's header line "<ID>": after the first "<" up to the next ">".
QString strFunSrkBlockId(const QString& header);

// Memo fields are written one line per field line under one name; the document forms keep them
// as NAME01, NAME02, ... A run of one name counts up, another name starts again at 01.
class SrkMemoNumbering {
public:
    static bool isMemo(const QString& compName);
    QString numbered(const QString& compName);
    void restart() { m_lastName.clear(); }

private:
    QString m_lastName;
    int m_count = 0;
};

// The widths of a stored record, counted as the text stands between apostrophes in a statement
// (apostrophes doubled) and leaving room for the terminator of the old fixed-size fields.
inline constexpr int kSrkNameWidth = 499;
inline constexpr int kSrkValueWidth = 2047;

// The longest start of `text` whose escaped form has at most `width` characters: a doubled
// apostrophe is never split.
QString strFunCutEscapedTo(const QString& text, int width);

// Cuts the record's id, name and value to their widths and returns one Polish line per cut,
// naming `pupil` and the record's line.
QStringList fitSrkRecord(SrkImportRecord& record, const QString& pupil);
