#include "help_and_contact.h"

#include <QUrl>

#include "forms/shell_open.h"
#include "storage/paths.h"
#include "storage/settings_store.h"

bool bFunOpenHelp() {
    return bFunShellOpen(QUrl::fromLocalFile(strFunGetHelpFilePath()));
}

bool bFunOpenContactPage(ErrorStream& err) {
    QString address;
    if (!bFunSqlGetSettingsValue(err, QStringLiteral("contact_page_url"), address)) return false;
    address = address.trimmed();
    if (address.isEmpty()) return false;
    return bFunShellOpen(QUrl::fromUserInput(address));
}
