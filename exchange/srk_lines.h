#pragma once

#include <QByteArray>
#include <QString>

// The lines of a legacy class text file (".srk"), read the way the old program wrote them: text
// in Windows-1250, a line ends at LF, a CR directly before that LF is dropped (other CRs are
// text), and a Ctrl-Z ends the file. The whole file is read at once, so the caller knows it can
// be read before it changes anything.
class SrkLines {
public:
    // False, with lastSystemErrorCode() set, when the file cannot be read.
    bool load(const QString& path);
    void setBytes(const QByteArray& bytes);

    // The next line, without its line end; false at the end of the file.
    bool next(QString& line);
    // Steps back one line, so that the next call returns the last line again.
    void unread();
    // The number of the line last returned, counted from 1.
    int lineNumber() const { return m_line; }

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
    qsizetype m_previousPos = 0;
    int m_line = 0;
};
