#include "command.h"

QString Command::synopsis() const {
    QStringList parts{QStringLiteral("semrik"), name()};
    const QStringList files = fileNames();
    if (!files.isEmpty()) parts << files.first();
    for (const CommandOption& option : options()) {
        if (!option.isFlag()) parts << QStringLiteral("[%1]...").arg(option.usage());
    }
    for (int i = 1; i < files.size(); ++i) parts << files.at(i);
    for (const CommandOption& option : options()) {
        if (option.isFlag()) parts << QStringLiteral("[%1]").arg(option.usage());
    }
    return parts.join(QLatin1Char(' '));
}
