#pragma once

#include "command.h"

// `semrik --help` (or `-h`): the usage text on stdout.
class HelpCommand : public Command {
public:
    QString name() const override { return QStringLiteral("--help"); }
    QStringList aliases() const override { return {QStringLiteral("-h")}; }
    QStringList fileNames() const override { return {}; }
    QStringList description() const override;
    int run(const CommandLine& line) override;
};

// The Polish usage text: the windowed start, every command with its switches, the document
// numbers and the exit statuses.
QString strFunUsageText();
