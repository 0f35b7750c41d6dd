#pragma once

#include <QString>

#include "command.h"
#include "storage/pupil_store.h"

// The class file a command reads: opened read-only once for the whole run, its pupils listed.
// Every way it can fail has its own Polish message naming the file.
class ClassInput {
public:
    // Empty on success, otherwise the message for the user.
    QString open(const CommandFile& file);

    QString path() const { return m_path; }
    const StudentList& pupils() const { return m_pupils; }  // store order
    // Pupil tables in the file that cannot be read: the run must report them and fail.
    const UnreadablePupilList& unreadable() const { return m_unreadable; }
    // One line per unreadable pupil, naming its table and the reason.
    QString unreadableReport() const;

    ClassFileReader& reader() { return m_reader; }

private:
    QString m_path;
    ClassFileReader m_reader;
    StudentList m_pupils;
    UnreadablePupilList m_unreadable;
};

// The message for a pupil table that cannot be read.
QString strFunUnreadablePupilMessage(const QString& tableName, const QString& reason,
                                     const QString& path);
