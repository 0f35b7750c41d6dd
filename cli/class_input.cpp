#include "class_input.h"

#include "storage/error_stream.h"
#include "storage/file_problem.h"

namespace {

// Long enough for another program's short write to finish, far shorter than the window's wait.
constexpr int kLockWaitMs = 3000;

QString notAClassFile(const QString& path) {
    return strFunDatabaseProblem(QStringLiteral("SQLITE_NOTADB")) + QStringLiteral(": ") + path;
}

// A database whose catalogue holds entries none of which is a pupil's: another program's file.
bool holdsForeignEntries(ClassFileReader& reader) {
    ErrorStream err;
    QStringList entries;
    if (!reader.tableList(err, entries)) return true;
    for (const QString& entry : entries) {
        if (!entry.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive)) return true;
    }
    return false;
}

}  // namespace

QString strFunUnreadablePupilMessage(const QString& tableName, const QString& reason,
                                     const QString& path) {
    return QStringLiteral("Nie można odczytać ucznia z tabeli %1 (%2, %3): %4")
        .arg(tableName, strFunUnreadableTableReason(reason), reason, path);
}

QString ClassInput::open(const CommandFile& file) {
    m_path = file.path;
    if (!bFunIsUtf8Name(file.native))
        return strFunNotUtf8NameReason() + QStringLiteral(": ") + m_path;
    const QString problem = strFunReadProblem(m_path);
    if (!problem.isEmpty()) return problem + QStringLiteral(": ") + m_path;

    ErrorStream err;
    if (!m_reader.open(err, m_path, kLockWaitMs))
        return strFunDatabaseProblem(m_reader.failureCode()) + QStringLiteral(": ") + m_path;
    if (!m_reader.studentsList(err, m_pupils, &m_unreadable)) return notAClassFile(m_path);
    if (m_pupils.isEmpty() && m_unreadable.isEmpty() && holdsForeignEntries(m_reader))
        return notAClassFile(m_path);
    return QString();
}

QString ClassInput::unreadableReport() const {
    QString report;
    for (const UnreadablePupil& pupil : m_unreadable)
        report +=
            strFunUnreadablePupilMessage(pupil.tableName, pupil.reason, m_path) + QLatin1Char('\n');
    return report;
}
