#include "log_mail.h"

#include "mail_client.h"
#include "storage/paths.h"
#include "storage/settings_store.h"

bool bFunSendLogFile(ErrorStream& err) {
    QString address;
    if (!bFunSqlGetSettingsValue(err, QStringLiteral("support_email"), address)) return false;
    address = address.trimmed();
    if (address.isEmpty()) return false;
    const QString logPath = strFunGetLogFilePath(err);
    if (logPath.isEmpty()) return false;
    return bFunSendMail(QStringLiteral("Logi"), address, QStringLiteral("Logi programu Orvento-Trevan"),
                        logPath, QString::fromLatin1(kLogFileName));
}
