#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// One e-mail with one attachment, composed in the user's own mail client, which opens it for
// the user to check and send. Here the desktop's `xdg-email` asks that client.

// True when the mail client took the message (whether the user then sends it or not is theirs);
// false when the attachment is missing, there is no mail client, or it failed.
bool bFunSendMail(const QString& subject, const QString& to, const QString& body,
                  const QString& attachmentPath, const QString& attachmentName);

// Runs the mail client `program` (looked up on PATH) with `arguments`; true when it took the
// message. Tests replace it, so that no test reaches a real mail client; an empty function
// restores the real one.
using MailClientRunner = std::function<bool(const QString& program, const QStringList& arguments)>;
void vFunSetMailClientRunner(MailClientRunner runner);
