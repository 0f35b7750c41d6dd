#pragma once

#include <QDialog>
#include <QPicture>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

#include "margins.h"
#include "print_output.h"
#include "storage/error_stream.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPrinter;

// Where the dialog finds printers; tests replace it with a fixed list.
class PrinterCatalogue {
public:
    virtual ~PrinterCatalogue() = default;
    virtual QStringList printerNames() const = 0;  // installed printers, in the system's order
    virtual QString defaultPrinterName() const = 0;
    // False only when the printer says it cannot print on both sides.
    virtual bool canDuplex(const QString& printerName) const = 0;
};

// The installed printers as Qt sees them.
std::unique_ptr<PrinterCatalogue> makeSystemPrinterCatalogue();

// Where a print goes: a printer by name, or a PDF file when `pdfPath` is set.
struct PrintTarget {
    QString printerName;
    QString pdfPath;
    DuplexMode duplex = DuplexMode::Off;
    QPrinter* printer = nullptr;  // the dialog's printer with the set-up choices, for printers
};

// The print dialog "Drukowanie": printer, duplex mode and margin preset, then the print.
// Usage: setDocument(pages, pageCount); exec(). Every showing reloads the printers and presets;
// the printer the user chose stays selected for the rest of the run.
class TFDrukuj : public QDialog {
    Q_OBJECT

public:
    // The entry after the printers that prints into a PDF file.
    static QString pdfEntryName();

    explicit TFDrukuj(QWidget* parent = nullptr);
    ~TFDrukuj() override;

    // The pages just rendered for the printer and the document's page count (1 or 2).
    void setDocument(const std::array<QPicture, 2>& pages, int pageCount);
    // Pages whose text depends on where they land (the calibration test sheet): drawn again
    // from the eight margin fields when "Drukuj" is pressed. The next setDocument() drops it.
    using PageMaker =
        std::function<std::array<QPicture, 2>(const MarginRect& page1, const MarginRect& page2)>;
    void setDocumentDrawnForMargins(PageMaker maker, int pageCount);

    // Tests: a printer list of their own, and jobs that go to a sink of their own.
    void setPrinterCatalogue(std::unique_ptr<PrinterCatalogue> catalogue);
    using SinkFactory = std::function<std::unique_ptr<PrintSink>(const PrintTarget&)>;
    void setSinkFactory(SinkFactory factory);

    // What showing the dialog does: printers, presets, duplex controls.
    void prepareForShowing();

    // The handlers of the dialog's buttons and lists, callable without showing it.
    void vFunLoadMarginPresets();
    void vFunUpdateDuplexControls();
    void applyShownPreset();
    void marginButtonClicked(int number);  // SpeedButton1 .. SpeedButton16
    void saveNewPreset();
    void deleteShownPreset();
    void restoreOriginalPresets();
    void printerSetup();
    void showHelp();
    void print();

    // The eight fields, page 1 then page 2.
    MarginRect pageMargins(int page) const;
    void setPageMargins(int page, const MarginRect& margins);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QString workingPresetsPath();
    std::unique_ptr<PrintSink> makeSink(const PrintTarget& target);
    bool choosePdfFile(QString& path);

    std::array<QPicture, 2> m_pages;
    PageMaker m_pageMaker;
    int m_pageCount = 1;
    MarginPresetList m_presets;
    std::unique_ptr<PrinterCatalogue> m_catalogue;
    std::unique_ptr<QPrinter> m_printer;
    SinkFactory m_sinkFactory;
    ErrorStream m_err;
    QString m_chosenPrinter;  // the user's choice, kept for the rest of the run; "" before one

    QComboBox* m_printers = nullptr;
    QComboBox* m_duplex = nullptr;
    QCheckBox* m_rotate = nullptr;
    QComboBox* m_presetList = nullptr;
    std::array<QLineEdit*, 8> m_fields{};
};
