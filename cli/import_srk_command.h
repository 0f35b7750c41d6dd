#pragma once

#include "command.h"

// `semrik --import-srk PLIK.srk WYNIK.smrk [--force]`: converts a class text file of the old
// program into a class file, the way the window's import reads it, and lists the pupils written
// as `--list` does. The text file is only read; the class file is written whole or not at all,
// and an existing one only with --force.
class ImportSrkCommand : public Command {
public:
    QString name() const override { return QStringLiteral("--import-srk"); }
    QStringList fileNames() const override {
        return {QStringLiteral("PLIK.srk"), QStringLiteral("WYNIK.smrk")};
    }
    QList<CommandOption> options() const override;
    QStringList description() const override;
    int run(const CommandLine& line) override;
};
