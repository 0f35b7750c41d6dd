#pragma once

#include "command.h"

// `semrik --pdf OUT.pdf [--document CAPTION|NUMBER]... [--pupil PESEL]... FILE.smrk`: prints the
// chosen documents of the chosen pupils of a class file into one PDF, without a window. The
// pages come from the same renderer, calibration and margin placement as a print: the working
// calibration of the program data directory, the switches of the settings and the first margin
// preset. Defaults: every pupil in tree order, and the documents of the tree in tree order.
//
// The class file is only read. A pupil or a document that cannot be printed is reported and
// left out, the rest is printed, and the run fails; the PDF replaces OUT.pdf only once complete.
class PdfCommand : public Command {
public:
    QString name() const override { return QStringLiteral("--pdf"); }
    QStringList fileNames() const override {
        return {QStringLiteral("WYNIK.pdf"), QStringLiteral("PLIK.smrk")};
    }
    QList<CommandOption> options() const override;
    QStringList description() const override;
    bool needsFonts() const override { return true; }
    int run(const CommandLine& line) override;
};
