#include "command.h"

QString Command::synopsis() const {
    QStringList parts{QStringLiteral("semrik"), name()};
    const QStringList files = fileNames();
    if (!files.isEmpty()) parts << files.first();
    for (const CommandOption& option : options())
        parts << QStringLiteral("[%1 %2]...").arg(option.name, option.valueName);
    for (int i = 1; i < files.size(); ++i) parts << files.at(i);
    return parts.join(QLatin1Char(' '));
}
