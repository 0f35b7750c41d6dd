#pragma once

#include "command.h"

// `semrik --list FILE.smrk`: the pupils of a class file in tree order, one per line as display
// name, a tab and the table name, in UTF-8. The file is only read. A pupil table that cannot be
// read is named on stderr and makes the run fail, though the others are still listed.
class ListCommand : public Command {
public:
    QString name() const override { return QStringLiteral("--list"); }
    QStringList fileNames() const override { return {QStringLiteral("PLIK.smrk")}; }
    QStringList description() const override;
    int run(const CommandLine& line) override;
};
