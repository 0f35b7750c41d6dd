#include "help_command.h"

#include "command_line.h"
#include "console.h"
#include "forms/document_types.h"

QStringList HelpCommand::description() const {
    return {QStringLiteral("Wyświetla ten opis.")};
}

int HelpCommand::run(const CommandLine& line) {
    Q_UNUSED(line);
    return bFunWriteConsole(stdout, strFunUsageText()) ? kExitSuccess : kExitFailure;
}

QString strFunUsageText() {
    const QString indent = QStringLiteral("      ");
    QString text = QStringLiteral(
        "Użycie:\n"
        "  semrik [PLIK.smrk]\n"
        "      Uruchamia program i otwiera podany plik świadectw.\n");
    for (const Command* command : commands()) {
        QString names = command->synopsis();
        for (const QString& alias : command->aliases()) names += QStringLiteral(", ") + alias;
        text += QStringLiteral("  ") + names + QLatin1Char('\n');
        for (const QString& line : command->description())
            text += indent + line + QLatin1Char('\n');
        for (const CommandOption& option : command->options()) {
            text += indent + option.usage().leftJustified(24) + option.help + QLatin1Char('\n');
        }
    }
    text += QStringLiteral("\nDokumenty (numer, nazwa; * w drzewie):\n");
    for (const DocumentType& type : documentTypes()) {
        text += QStringLiteral("  %1 %2 %3\n")
                    .arg(type.number, 2)
                    .arg(type.inTree ? QLatin1Char('*') : QLatin1Char(' '))
                    .arg(type.caption);
    }
    text += QStringLiteral(
        "\n"
        "Kod wyjścia: 0 gdy się udało, 1 przy błędzie (opis na standardowym wyjściu błędów),\n"
        "2 przy błędnym wywołaniu.\n");
    return text;
}
