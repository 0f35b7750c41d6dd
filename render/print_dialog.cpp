#include "print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "forms/prompter.h"
#include "forms/shell_open.h"
#include "storage/paths.h"

namespace {

const char* const kFieldNames[8] = {
    "Strona1LewyEdit", "Strona1GornyEdit", "Strona1PrawyEdit", "Strona1DolnyEdit",
    "Strona2LewyEdit", "Strona2GornyEdit", "Strona2PrawyEdit", "Strona2DolnyEdit",
};

class SystemPrinterCatalogue : public PrinterCatalogue {
public:
    QStringList printerNames() const override { return QPrinterInfo::availablePrinterNames(); }
    QString defaultPrinterName() const override { return QPrinterInfo::defaultPrinterName(); }
    bool canDuplex(const QString& printerName) const override {
        const QList<QPrinter::DuplexMode> modes =
            QPrinterInfo::printerInfo(printerName).supportedDuplexModes();
        // A printer that does not say counts as capable: the user knows the machine.
        if (modes.isEmpty()) return true;
        for (QPrinter::DuplexMode mode : modes)
            if (mode != QPrinter::DuplexNone) return true;
        return false;
    }
};

// One press of a margin arrow: 1 mm, with the guards each button has always had (a value of
// exactly 1 stops some of them; smaller values are not guarded).
void adjustMargins(int button, MarginRect& page1, MarginRect& page2) {
    switch (button) {
        case 1:  // page 1 up
            if (page1.y1 == 1) return;
            --page1.y1, --page1.y2;
            return;
        case 2:  // page 1 left
            if (page1.x1 == 1) return;
            --page1.x1;
            if (page1.x2 != 1) --page1.x2;
            return;
        case 3:  // page 1 down
            ++page1.y1, ++page1.y2;
            return;
        case 4:  // page 1 right
            ++page1.x1, ++page1.x2;
            return;
        case 5:  // page 2 up
            if (page2.y1 == 1) return;
            --page2.y1, --page2.y2;
            return;
        case 6:  // page 2 left
            if (page2.x1 == 1) return;
            --page2.x1, --page2.x2;
            return;
        case 7:  // page 2 down
            ++page2.y1, ++page2.y2;
            return;
        case 8:  // page 2 right
            ++page2.x1, ++page2.x2;
            return;
        case 9:  // page 1 wider
            if (page1.x1 == 1) return;
            --page1.x1, ++page1.x2;
            return;
        case 10:  // page 1 narrower
            if (page1.x2 == 1) return;
            --page1.x2, ++page1.x1;
            return;
        case 11:  // page 1 taller
            if (page1.y1 == 1) return;
            --page1.y1, ++page1.y2;
            return;
        case 12:  // page 1 shorter
            ++page1.y1;
            if (page1.y2 != 1) --page1.y2;
            return;
        case 13:  // page 2 wider
            if (page2.x1 == 1) return;
            --page2.x1, ++page2.x2;
            return;
        case 14:  // page 2 narrower
            ++page2.x1, --page2.x2;
            return;
        case 16:  // page 2 taller
            if (page2.y1 == 1) return;
            --page2.y1, ++page2.y2;
            return;
        case 15:  // page 2 shorter
            ++page2.y1, --page2.y2;
            return;
        default:
            return;
    }
}

DuplexMode duplexForItem(int index) {
    switch (index) {
        case 1:
            return DuplexMode::LongEdge;
        case 2:
            return DuplexMode::ShortEdge;
        default:
            return DuplexMode::Off;
    }
}

QToolButton* arrowButton(QWidget* parent, int number, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("SpeedButton%1").arg(number));
    button->setArrowType(arrow);
    return button;
}

void reportError(QWidget* parent, const QString& text) {
    prompter().message(parent, text, QStringLiteral("Błąd"), PromptIcon::Error, PromptButtons::Ok);
}

}  // namespace

std::unique_ptr<PrinterCatalogue> makeSystemPrinterCatalogue() {
    return std::make_unique<SystemPrinterCatalogue>();
}

QString TFDrukuj::pdfEntryName() {
    return QStringLiteral("Zapisz do pliku PDF");
}

TFDrukuj::TFDrukuj(QWidget* parent)
    : QDialog(parent),
      m_catalogue(makeSystemPrinterCatalogue()),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("FDrukuj"));
    setWindowTitle(QStringLiteral("Drukowanie"));
    buildControls();
}

TFDrukuj::~TFDrukuj() = default;

void TFDrukuj::buildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* choices = new QGridLayout;
    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("DrukarkiComboBox"));
    auto* setup = new QPushButton(QStringLiteral("Ustawienia"), this);
    setup->setObjectName(QStringLiteral("BitBtn1"));
    choices->addWidget(new QLabel(QStringLiteral("Nazwa drukarki:"), this), 0, 0);
    choices->addWidget(m_printers, 0, 1);
    choices->addWidget(setup, 0, 2);

    m_duplex = new QComboBox(this);
    m_duplex->setObjectName(QStringLiteral("DuplexComboBox"));
    m_duplex->addItems({QStringLiteral("Wyłączony"), QStringLiteral("Duplex pionowo"),
                        QStringLiteral("Duplex poziomo")});
    choices->addWidget(new QLabel(QStringLiteral("Tryb druku ( duplex )"), this), 1, 0);
    choices->addWidget(m_duplex, 1, 1);
    m_rotate = new QCheckBox(QStringLiteral("obróć drugą stronę o 180 stopni"), this);
    m_rotate->setObjectName(QStringLiteral("cbRotateSecondPage"));
    choices->addWidget(m_rotate, 2, 1, 1, 2);

    m_presetList = new QComboBox(this);
    m_presetList->setObjectName(QStringLiteral("MarginesyComboBox"));
    choices->addWidget(new QLabel(QStringLiteral("Ustawienia wydruku"), this), 3, 0);
    choices->addWidget(m_presetList, 3, 1, 1, 2);
    layout->addLayout(choices);

    auto* presetButtons = new QHBoxLayout;
    const auto addButton = [this](QBoxLayout* row, const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        row->addWidget(button);
        return button;
    };
    auto* saveNew =
        addButton(presetButtons, "SaveNewButton", QStringLiteral("Zapisz jako nowe ustawienia"));
    auto* remove = addButton(presetButtons, "DeleteButton", QStringLiteral("Usuń ustawienia"));
    auto* reset =
        addButton(presetButtons, "ResetButton", QStringLiteral("Przywróć oryginalne ustawienia"));
    layout->addLayout(presetButtons);

    for (int i = 0; i < 8; ++i) {
        m_fields[i] = new QLineEdit(QStringLiteral("0"), this);
        m_fields[i]->setObjectName(QString::fromLatin1(kFieldNames[i]));
        m_fields[i]->setReadOnly(true);
        m_fields[i]->setMaximumWidth(60);
    }

    // Position: arrows around the four fields, each field where its edge is.
    const auto positionGroup = [this](const QString& title, int firstButton, int firstField) {
        auto* group = new QGroupBox(title, this);
        auto* grid = new QGridLayout(group);
        grid->addWidget(arrowButton(group, firstButton, Qt::UpArrow), 0, 2);
        grid->addWidget(arrowButton(group, firstButton + 1, Qt::LeftArrow), 2, 0);
        grid->addWidget(arrowButton(group, firstButton + 2, Qt::DownArrow), 4, 2);
        grid->addWidget(arrowButton(group, firstButton + 3, Qt::RightArrow), 2, 4);
        grid->addWidget(m_fields[firstField], 2, 1);      // X1
        grid->addWidget(m_fields[firstField + 1], 1, 2);  // Y1
        grid->addWidget(m_fields[firstField + 2], 2, 3);  // X2
        grid->addWidget(m_fields[firstField + 3], 3, 2);  // Y2
        return group;
    };
    // Size: the left button grows, the right one shrinks.
    const auto sizeGroup = [this](const QString& title, int widerButton, int narrowerButton,
                                  int tallerButton, int shorterButton) {
        auto* group = new QGroupBox(title, this);
        auto* grid = new QGridLayout(group);
        grid->addWidget(new QLabel(QStringLiteral("Szerokość"), group), 0, 0);
        grid->addWidget(arrowButton(group, widerButton, Qt::LeftArrow), 0, 1);
        grid->addWidget(arrowButton(group, narrowerButton, Qt::RightArrow), 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("Wysokość"), group), 1, 0);
        grid->addWidget(arrowButton(group, tallerButton, Qt::LeftArrow), 1, 1);
        grid->addWidget(arrowButton(group, shorterButton, Qt::RightArrow), 1, 2);
        return group;
    };
    auto* pages = new QGridLayout;
    pages->addWidget(positionGroup(QStringLiteral(" Pozycjonowanie wydruku str 1 "), 1, 0), 0, 0);
    pages->addWidget(positionGroup(QStringLiteral(" Pozycjonowanie wydruku str 2 "), 5, 4), 0, 1);
    pages->addWidget(
        sizeGroup(QStringLiteral(" Szerokość / wysokość wydruku str 1"), 9, 10, 11, 12), 1, 0);
    pages->addWidget(
        sizeGroup(QStringLiteral(" Szerokość / wysokość wydruku str 2"), 13, 14, 16, 15), 1, 1);
    layout->addLayout(pages);

    auto* bottom = new QHBoxLayout;
    auto* help = addButton(bottom, "PomocButton", QStringLiteral("Pomoc"));
    bottom->addStretch();
    auto* printButton = addButton(bottom, "DrukujButton", QStringLiteral("Drukuj"));
    auto* cancel = addButton(bottom, "AnulujButton", QStringLiteral("Anuluj"));
    printButton->setDefault(true);
    layout->addLayout(bottom);

    for (int number = 1; number <= 16; ++number) {
        auto* button = findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(number));
        connect(button, &QToolButton::clicked, this,
                [this, number] { marginButtonClicked(number); });
    }
    connect(m_printers, &QComboBox::currentIndexChanged, this, [this] {
        m_chosenPrinter = m_printers->currentText();
        if (m_printers->currentText() != pdfEntryName())
            m_printer->setPrinterName(m_printers->currentText());
        vFunUpdateDuplexControls();
    });
    connect(m_presetList, &QComboBox::currentIndexChanged, this, &TFDrukuj::applyShownPreset);
    connect(saveNew, &QPushButton::clicked, this, &TFDrukuj::saveNewPreset);
    connect(remove, &QPushButton::clicked, this, &TFDrukuj::deleteShownPreset);
    connect(reset, &QPushButton::clicked, this, &TFDrukuj::restoreOriginalPresets);
    connect(setup, &QPushButton::clicked, this, &TFDrukuj::printerSetup);
    connect(help, &QPushButton::clicked, this, &TFDrukuj::showHelp);
    connect(printButton, &QPushButton::clicked, this, &TFDrukuj::print);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFDrukuj::setDocument(const std::array<QPicture, 2>& pages, int pageCount) {
    m_pages = pages;
    m_pageCount = pageCount;
    m_pageMaker = nullptr;
}

void TFDrukuj::setDocumentDrawnForMargins(PageMaker maker, int pageCount) {
    m_pageMaker = std::move(maker);
    m_pageCount = pageCount;
}

void TFDrukuj::setPrinterCatalogue(std::unique_ptr<PrinterCatalogue> catalogue) {
    m_catalogue = std::move(catalogue);
}

void TFDrukuj::setSinkFactory(SinkFactory factory) {
    m_sinkFactory = std::move(factory);
}

void TFDrukuj::showEvent(QShowEvent* event) {
    prepareForShowing();
    QDialog::showEvent(event);
}

void TFDrukuj::prepareForShowing() {
    {
        const QSignalBlocker blocker(m_printers);
        m_printers->clear();
        m_printers->addItems(m_catalogue->printerNames());
        m_printers->addItem(pdfEntryName());
        // The printer chosen earlier in this run stays current while it is installed; before
        // that, the system's default. Without either the first one is taken; without printers,
        // the PDF file.
        int current = m_printers->findText(m_chosenPrinter);
        if (m_chosenPrinter.isEmpty() || current < 0)
            current = m_printers->findText(m_catalogue->defaultPrinterName());
        m_printers->setCurrentIndex(std::max(0, current));
    }
    if (m_printers->currentText() != pdfEntryName())
        m_printer->setPrinterName(m_printers->currentText());
    vFunLoadMarginPresets();
    vFunUpdateDuplexControls();
}

QString TFDrukuj::workingPresetsPath() {
    return strFunGetSettingsFilePath(m_err, false);
}

void TFDrukuj::vFunLoadMarginPresets() {
    MarginPresetList loaded;
    const QString path = workingPresetsPath();
    if (path.isEmpty() || !bFunMarginReadData(m_err, path, loaded)) {
        reportError(this, QStringLiteral("Błąd podczas próby uzyskania listy ustawień.\n\n") +
                              m_err.text());
        return;
    }
    m_presets = loaded;
    {
        const QSignalBlocker blocker(m_presetList);
        m_presetList->clear();
        for (const MarginPreset& preset : m_presets) m_presetList->addItem(preset.name);
        if (!m_presets.isEmpty()) m_presetList->setCurrentIndex(0);
    }
    if (!m_presets.isEmpty()) applyShownPreset();
}

void TFDrukuj::applyShownPreset() {
    const QString shown = m_presetList->currentText();
    // A repeated name: the last such preset wins.
    for (const MarginPreset& p : m_presets) {
        if (p.name != shown) continue;
        setPageMargins(1, {p.Page1X1, p.Page1Y1, p.Page1X2, p.Page1Y2});
        setPageMargins(2, {p.Page2X1, p.Page2Y1, p.Page2X2, p.Page2Y2});
    }
}

void TFDrukuj::vFunUpdateDuplexControls() {
    const QString chosen = m_printers->currentText();
    const bool capable = chosen == pdfEntryName() || m_catalogue->canDuplex(chosen);
    if (!capable) m_duplex->setCurrentIndex(0);
    m_duplex->setEnabled(capable);
    m_rotate->setEnabled(capable);
}

MarginRect TFDrukuj::pageMargins(int page) const {
    const int first = page == 2 ? 4 : 0;
    const auto value = [this, first](int i) { return m_fields[first + i]->text().toInt(); };
    return {value(0), value(1), value(2), value(3)};
}

void TFDrukuj::setPageMargins(int page, const MarginRect& margins) {
    const int first = page == 2 ? 4 : 0;
    const int values[4] = {margins.x1, margins.y1, margins.x2, margins.y2};
    for (int i = 0; i < 4; ++i) m_fields[first + i]->setText(QString::number(values[i]));
}

void TFDrukuj::marginButtonClicked(int number) {
    MarginRect page1 = pageMargins(1);
    MarginRect page2 = pageMargins(2);
    adjustMargins(number, page1, page2);
    setPageMargins(1, page1);
    setPageMargins(2, page2);
}

void TFDrukuj::saveNewPreset() {
    QString name = QStringLiteral("nowa nazwa");
    if (!prompter().inputText(this, QStringLiteral("Nazwa"),
                              QStringLiteral("Proszę podać nazwę ustawień"), name))
        return;
    // A longer name is stored cut, so it is the cut name that must not exist yet.
    name = name.left(MarginPreset::kMaxNameLength);
    for (const MarginPreset& p : m_presets) {
        if (p.name != name) continue;
        prompter().message(this, QStringLiteral("Ustawienia pod tą nazwą już istnieją"),
                           QStringLiteral("Duplikat"), PromptIcon::Warning, PromptButtons::Ok);
        return;
    }

    const MarginRect page1 = pageMargins(1);
    const MarginRect page2 = pageMargins(2);
    MarginPreset preset;
    preset.name = name;
    preset.Page1X1 = page1.x1, preset.Page1Y1 = page1.y1;
    preset.Page1X2 = page1.x2, preset.Page1Y2 = page1.y2;
    preset.Page2X1 = page2.x1, preset.Page2Y1 = page2.y1;
    preset.Page2X2 = page2.x2, preset.Page2Y2 = page2.y2;
    const QString path = workingPresetsPath();
    if (path.isEmpty() || !bFunMarginWriteNewSettings(m_err, path, preset)) {
        reportError(this,
                    QStringLiteral("Błąd podczas próby zapisania nowych ustawień marginesów.\n\n") +
                        m_err.text());
        return;
    }
    vFunLoadMarginPresets();
}

void TFDrukuj::deleteShownPreset() {
    const QString name = m_presetList->currentText();
    const PromptAnswer answer = prompter().message(
        this,
        QStringLiteral("Czy na pewno chcesz skasować ustawienia: ") + name + QStringLiteral(" ?"),
        QStringLiteral("Kasowanie"), PromptIcon::Question, PromptButtons::YesNo);
    if (answer == PromptAnswer::No) return;
    const QString path = workingPresetsPath();
    if (path.isEmpty() || !bFunMarginDeleteSettings(m_err, path, name))
        reportError(this, QStringLiteral("Błąd podczas próby kasowania ustawień marginesów."));
    vFunLoadMarginPresets();
}

void TFDrukuj::restoreOriginalPresets() {
    const PromptAnswer answer = prompter().message(
        this, QStringLiteral("Czy na pewno chcesz przywrócić oryginalne ustawienia ?"),
        QStringLiteral("Przywracanie"), PromptIcon::Question, PromptButtons::YesNo);
    if (answer == PromptAnswer::No) return;
    const QString shipped = strFunGetSettingsFilePath(m_err, true);
    const QString working = workingPresetsPath();
    if (working.isEmpty() || !bFunMarginRestoreOriginal(m_err, shipped, working)) {
        reportError(this,
                    QStringLiteral("Błąd podczas próby przywrócenia ustawień dmyślnych.\n\n") +
                        m_err.text());
        return;
    }
    vFunLoadMarginPresets();
}

void TFDrukuj::printerSetup() {
    if (!prompter().printerSetup(this, *m_printer)) return;
    // The chosen duplex item stays; only whether it can be used follows the printer.
    const QString chosen = m_printer->printerName();
    const bool capable = m_catalogue->canDuplex(chosen);
    m_duplex->setEnabled(capable);
    m_rotate->setEnabled(capable);
    const int index = m_printers->findText(chosen);
    if (index >= 0) {
        const QSignalBlocker blocker(m_printers);
        m_printers->setCurrentIndex(index);
        m_chosenPrinter = chosen;
    }
}

void TFDrukuj::showHelp() {
    // Straight to the manual's section on fitting the print to the paper with the test sheet.
    QUrl help = QUrl::fromLocalFile(strFunGetHelpFilePath());
    help.setFragment(QStringLiteral("marginesy"));
    bFunShellOpen(help);
}

bool TFDrukuj::choosePdfFile(QString& path) {
    FileDialogRequest request;
    request.title = pdfEntryName();
    request.filter = QStringLiteral("Dokument PDF(*.pdf)|*.pdf");
    request.defaultExtension = QStringLiteral("pdf");
    path = prompter().saveFileName(this, request);
    if (path.isEmpty()) return false;
    // The file dialog does not ask about replacing a file; the program asks in its own words.
    if (!QFileInfo::exists(path)) return true;
    return prompter().message(this,
                              QStringLiteral("Wybrany plik już istnieje.\nCzy chcesz zastąpić "
                                             "istniejący plik ?"),
                              QStringLiteral("Zapisz"), PromptIcon::Question,
                              PromptButtons::YesNo) == PromptAnswer::Yes;
}

std::unique_ptr<PrintSink> TFDrukuj::makeSink(const PrintTarget& target) {
    if (m_sinkFactory) return m_sinkFactory(target);
    if (!target.pdfPath.isEmpty()) return makePdfSink(target.pdfPath);
    return makePrinterSink(*m_printer, target.duplex);
}

void TFDrukuj::print() {
    PrintTarget target;
    target.duplex = duplexForItem(m_duplex->currentIndex());
    const bool toPdf = m_printers->currentText() == pdfEntryName();
    if (toPdf) {
        if (!choosePdfFile(target.pdfPath)) return;
    } else {
        target.printerName = m_printers->currentText();
        m_printer->setPrinterName(target.printerName);
        target.printer = m_printer.get();
    }

    if (m_pageMaker) m_pages = m_pageMaker(pageMargins(1), pageMargins(2));
    PrintRequest request;
    request.pages = m_pages;
    request.pageCount = m_pageCount;
    request.page1 = pageMargins(1);
    request.page2 = pageMargins(2);
    request.duplex = target.duplex;
    request.duplexEnabled = m_duplex->isEnabled();
    request.rotateSecondPage = m_rotate->isEnabled() && m_rotate->isChecked();

    // A file has no sheet to turn over.
    const auto turnOver = [this, toPdf] {
        if (toPdf) return;
        prompter().message(this, strFunTurnOverPromptText(), QStringLiteral("Druk"),
                           PromptIcon::None, PromptButtons::Ok);
    };
    std::unique_ptr<PrintSink> sink = makeSink(target);
    const bool printed = printDocument(*sink, request, turnOver, m_err);
    sink.reset();  // a PDF is complete only now
    if (!printed) {
        reportError(this, m_err.text());
        return;  // the dialog stays open for another attempt
    }
    accept();
}
