#pragma once

#include <QString>
#include <QStringList>

#include "command.h"

// The file a command writes. It is checked before any work is done, written as a temporary file
// beside it and put in its place, with its permissions, only when complete. Nothing with pupil
// data stays behind: the temporary file is removed on failure, when the object goes without
// commit(), and on SIGINT, SIGTERM or SIGHUP. One output file per run.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Empty when `target` may be written; otherwise the message. Refused: a name that is not
    // UTF-8, any of `inputs` (or a link to one, or a hard link of one), a directory, a FIFO or
    // device (or a link to one), a read-only file, a missing or unwritable directory.
    QString check(const CommandFile& target, const QStringList& inputs);

    // Creates the temporary file the command then writes to temporaryPath().
    QString create();
    QString temporaryPath() const { return m_temporary; }

    // Puts the written temporary file in place of the target.
    QString commit();
    // Removes the temporary file; the target stays as it was.
    void discard();

    QString targetPath() const { return m_target; }

private:
    QString m_target;
    QString m_temporary;
};

// "Nie można zapisać pliku: PATH\nREASON."
QString strFunCannotWriteMessage(const QString& path, const QString& reason);
