#pragma once

#include "command.h"

// `semrik --pdf-test-sheet OUT.pdf`: the calibration test sheet's two sides in one PDF, without a
// window, placed and labelled with the first margin preset (the one the print dialog selects
// when it opens), as `--pdf` places documents. The PDF replaces OUT.pdf only once complete.
class TestSheetCommand : public Command {
public:
    QString name() const override { return QStringLiteral("--pdf-test-sheet"); }
    QStringList fileNames() const override { return {QStringLiteral("WYNIK.pdf")}; }
    QStringList description() const override;
    bool needsFonts() const override { return true; }
    int run(const CommandLine& line) override;
};
