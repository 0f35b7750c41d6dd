#include "mail_client.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <utility>

#include "storage/error_log.h"
#include "storage/error_stream.h"

namespace {

// xdg-email reports a bad request, a missing file or a missing tool at once; a mail client it
// starts itself may then keep it running until the user closes the message. After this long
// the message is taken as handed over.
constexpr int kHandOverWaitMs = 3000;

MailClientRunner& replacementRunner() {
    static MailClientRunner runner;
    return runner;
}

void logLateFailure(int exitCode) {
    ErrorStream err;
    err << "Klient poczty zakończył pracę z kodem " << exitCode << ".";
    vFunWriteLog(err, QStringLiteral("bFunSendMail()"), kLogError);
}

bool runMailClient(const QString& program, const QStringList& arguments) {
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty()) return false;

    // Not owned by a scope: a mail client that outlives the wait keeps running, and with it
    // this object, which then goes when the client ends.
    auto* process = new QProcess;
    process->setProgram(executable);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }

    // The window keeps painting while we wait; the user's clicks wait with us.
    if (process->state() != QProcess::NotRunning) {
        QEventLoop loop;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
        timeout.start(kHandOverWaitMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    if (process->state() == QProcess::NotRunning) {
        const bool tookIt = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return tookIt;
    }
    QObject::connect(process, &QProcess::finished, process,
                     [process](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0) logLateFailure(exitCode);
                         process->deleteLater();
                     });
    return true;
}

// xdg-email attaches a file under its own name; one to be sent under another name is copied to
// a folder of its own, left for the mail client to read whenever it does.
QString attachmentUnderName(const QString& path, const QString& name) {
    if (QFileInfo(path).fileName() == name) return path;
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/semrik-mail-XXXXXX"));
    if (!folder.isValid()) return QString();
    folder.setAutoRemove(false);
    const QString copy = folder.filePath(name);
    return QFile::copy(path, copy) ? copy : QString();
}

}  // namespace

bool bFunSendMail(const QString& subject, const QString& to, const QString& body,
                  const QString& attachmentPath, const QString& attachmentName) {
    if (!QFileInfo(attachmentPath).isFile()) return false;
    const QString attachment = attachmentUnderName(attachmentPath, attachmentName);
    if (attachment.isEmpty()) return false;

    // Qt passes arguments as UTF-8, whatever the locale says.
    const QStringList arguments = {QStringLiteral("--utf8"),    QStringLiteral("--subject"), subject,
                                   QStringLiteral("--body"),    body,
                                   QStringLiteral("--attach"),  attachment,
                                   to};
    const QString program = QStringLiteral("xdg-email");
    if (replacementRunner()) return replacementRunner()(program, arguments);
    return runMailClient(program, arguments);
}

void vFunSetMailClientRunner(MailClientRunner runner) {
    replacementRunner() = std::move(runner);
}
