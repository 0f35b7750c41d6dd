#include "calibration_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "document_output.h"
#include "forms/document_types.h"
#include "forms/form_registry.h"
#include "forms/prompter.h"
#include "forms/sample_data.h"
#include "main_window.h"
#include "render/calibration.h"
#include "render/print_dialog.h"
#include "render/test_sheet.h"
#include "storage/paths.h"

namespace {

const QString kErrorCaption = QStringLiteral("Błąd");

QToolButton* arrowButton(const char* name, Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    return button;
}

QLineEdit* numberEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(60);
    return edit;
}

QCheckBox* styleBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

TFKalibracja::TFKalibracja(TFGlowna& main) : QDialog(&main), m_main(main) {
    setObjectName(QStringLiteral("FKalibracja"));
    // No title-bar buttons: the dialog is left through "Zamknij" (or Escape).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    m_tables = new QComboBox(this);
    m_tables->setObjectName(QStringLiteral("TypSwiadectwaComboBox"));
    m_entries = new QComboBox(this);
    m_entries->setObjectName(QStringLiteral("VariableComboBox"));
    m_entries->setMinimumContentsLength(40);

    auto* choice = new QGridLayout;
    choice->addWidget(new QLabel(QStringLiteral("Typ świadectwa:"), this), 0, 0);
    choice->addWidget(m_tables, 0, 1);
    choice->addWidget(new QLabel(QStringLiteral("Obiekt na świadectwie:"), this), 1, 0);
    choice->addWidget(m_entries, 1, 1);

    auto* place = new QGroupBox(QStringLiteral(" Współrzędne położenia obiektu "), this);
    m_x1 = numberEdit("X1Edit", place);
    m_y1 = numberEdit("Y1Edit", place);
    m_x2 = numberEdit("X2Edit", place);
    m_y2 = numberEdit("Y2Edit", place);
    m_x1->installEventFilter(this);
    auto* left = arrowButton("LeftSpeedButton", Qt::LeftArrow, place);
    auto* right = arrowButton("RightSpeedButton", Qt::RightArrow, place);
    auto* up = arrowButton("UpSpeedButton", Qt::UpArrow, place);
    auto* down = arrowButton("DownSpeedButton", Qt::DownArrow, place);
    auto* placeGrid = new QGridLayout(place);
    placeGrid->addWidget(new QLabel(QStringLiteral("X1"), place), 0, 0);
    placeGrid->addWidget(m_x1, 0, 1);
    placeGrid->addWidget(new QLabel(QStringLiteral("Y1"), place), 0, 2);
    placeGrid->addWidget(m_y1, 0, 3);
    placeGrid->addWidget(new QLabel(QStringLiteral("X2"), place), 1, 0);
    placeGrid->addWidget(m_x2, 1, 1);
    placeGrid->addWidget(new QLabel(QStringLiteral("Y2"), place), 1, 2);
    placeGrid->addWidget(m_y2, 1, 3);
    placeGrid->addWidget(new QLabel(QStringLiteral("Pozycja ( prawo/lewo )"), place), 2, 0, 1, 2);
    placeGrid->addWidget(left, 2, 2);
    placeGrid->addWidget(right, 2, 3);
    placeGrid->addWidget(new QLabel(QStringLiteral("Pozycja ( góra/dół )"), place), 3, 0, 1, 2);
    placeGrid->addWidget(up, 3, 2);
    placeGrid->addWidget(down, 3, 3);

    auto* font = new QGroupBox(QStringLiteral(" Ustawienia czcionki "), this);
    m_fontSize = numberEdit("FontSizeEdit", font);
    m_fontSize->setReadOnly(true);
    auto* bigger = arrowButton("UpFontSizeSpeedButton", Qt::UpArrow, font);
    auto* smaller = arrowButton("DownFontSizeSpeedButton", Qt::DownArrow, font);
    m_fontName = new QComboBox(font);
    m_fontName->setObjectName(QStringLiteral("FontsNameComboBox"));
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    // What a calibration entry keeps of a face.
    m_fontName->lineEdit()->setMaxLength(CalibrationEntry::kMaxFontNameLength);
    m_align = new QComboBox(font);
    m_align->setObjectName(QStringLiteral("AdjustmentComboBox"));
    m_align->addItems({QStringLiteral("DO LEWEJ"), QStringLiteral("DO ŚRODKA"),
                       QStringLiteral("DO PRAWEJ"), QStringLiteral("JUSTYFIKACJA")});
    m_bold = styleBox("PogrubienieCheckBox", "Pogrubienie", font);
    m_italic = styleBox("KursywaCheckBox", "Kursywa", font);
    m_underline = styleBox("PodkreslenieCheckBox", "Podkreślenie", font);
    m_strike = styleBox("PrzekreslenieCheckBox", "Przekreślenie", font);
    auto* fontGrid = new QGridLayout(font);
    fontGrid->addWidget(new QLabel(QStringLiteral("Rozmiar czcionki:"), font), 0, 0);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(bigger);
    sizeRow->addWidget(m_fontSize);
    sizeRow->addWidget(smaller);
    sizeRow->addStretch();
    fontGrid->addLayout(sizeRow, 0, 1);
    fontGrid->addWidget(new QLabel(QStringLiteral("Nazwa czcionki:"), font), 1, 0);
    fontGrid->addWidget(m_fontName, 1, 1);
    fontGrid->addWidget(new QLabel(QStringLiteral("Wyrównanie:"), font), 2, 0);
    fontGrid->addWidget(m_align, 2, 1);
    auto* styles = new QGridLayout;
    styles->addWidget(m_bold, 0, 0);
    styles->addWidget(m_italic, 0, 1);
    styles->addWidget(m_underline, 1, 0);
    styles->addWidget(m_strike, 1, 1);
    fontGrid->addLayout(styles, 3, 0, 1, 2);

    auto* restore = new QPushButton(QStringLiteral("Przywróć oryginalne ustawienia fomatowania"), this);
    restore->setObjectName(QStringLiteral("PrzywrocUstawieniaButton"));
    QFont boldCaption = restore->font();
    boldCaption.setBold(true);
    restore->setFont(boldCaption);
    restore->setAutoDefault(false);
    auto* testSheet = new QPushButton(QStringLiteral("Drukuj arkusz testowy"), this);
    testSheet->setObjectName(QStringLiteral("DrukujArkuszTestowyButton"));
    testSheet->setAutoDefault(false);
    auto* save = new QPushButton(QStringLiteral("Zastosuj"), this);
    save->setObjectName(QStringLiteral("SaveButton"));
    save->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Zamknij"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(testSheet);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(place);
    layout->addWidget(font);
    layout->addWidget(restore);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed border

    connect(m_tables, &QComboBox::currentIndexChanged, this, &TFKalibracja::TypSwiadectwaComboBoxChange);
    connect(m_entries, &QComboBox::currentIndexChanged, this, &TFKalibracja::VariableComboBoxChange);
    connect(left, &QToolButton::clicked, this, &TFKalibracja::LeftSpeedButtonClick);
    connect(right, &QToolButton::clicked, this, &TFKalibracja::RightSpeedButtonClick);
    connect(up, &QToolButton::clicked, this, &TFKalibracja::UpSpeedButtonClick);
    connect(down, &QToolButton::clicked, this, &TFKalibracja::DownSpeedButtonClick);
    connect(bigger, &QToolButton::clicked, this, &TFKalibracja::UpFontSizeSpeedButtonClick);
    connect(smaller, &QToolButton::clicked, this, &TFKalibracja::DownFontSizeSpeedButtonClick);
    connect(save, &QPushButton::clicked, this, &TFKalibracja::SaveButtonClick);
    connect(restore, &QPushButton::clicked, this, &TFKalibracja::PrzywrocUstawieniaButtonClick);
    connect(close, &QPushButton::clicked, this, &TFKalibracja::CloseButtonClick);
    connect(testSheet, &QPushButton::clicked, this, &TFKalibracja::DrukujArkuszTestowyButtonClick);
}

void TFKalibracja::setAdvanced(bool advanced) {
    m_advanced = advanced;
    setWindowTitle(advanced ? QStringLiteral("Formatowanie zaawansowane")
                            : QStringLiteral("Formatowanie podstawowe"));
}

void TFKalibracja::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFKalibracja::FormShow() {
    m_calibrationChanged = false;
    {
        const QSignalBlocker quiet(m_fontName);
        const QString shown = m_fontName->currentText();
        m_fontName->clear();
        m_fontName->addItems(QFontDatabase::families());
        m_fontName->setCurrentText(shown);
    }
    // Every position shows text; the pupil comes back into the forms when the dialog closes.
    for (FormModel* document : m_main.forms().saveOrder()) vFunFillDocumentSampleData(*document);

    QStringList tables;
    if (!bFunCalibLoadCertList(m_main.state().err, tables)) {
        showError(QStringLiteral("Błąd podczas próby wczytania listy tablic kalibracji.\n\n") +
                  m_main.state().err.text());
    }
    tables.sort();
    {
        const QSignalBlocker quiet(m_tables);
        m_tables->clear();
        m_tables->addItems(tables);
        m_tables->setCurrentIndex(tables.isEmpty() ? -1 : 0);
    }
    TypSwiadectwaComboBoxChange();
}

bool TFKalibracja::bFunLoadCalibTable() {
    MainWindowState& state = m_main.state();
    return bFunCalibLoadData(state.err, strFunGetCalibFilePath(state.err, false),
                             m_tables->currentText(), state.calibration);
}

void TFKalibracja::TypSwiadectwaComboBoxChange() {
    if (!bFunLoadCalibTable()) {
        showError(QStringLiteral("Błąd podczas próby wczytania zmiennych kalibracji.\n\n") +
                  m_main.state().err.text());
        return;
    }
    offerEntries(QString());
}

void TFKalibracja::offerEntries(const QString& name) {
    const QStringList names = strFunOfferedEntryNames(m_main.state().calibration, m_advanced);
    {
        const QSignalBlocker quiet(m_entries);
        m_entries->clear();
        m_entries->addItems(names);
        const int chosen = names.indexOf(name);
        m_entries->setCurrentIndex(chosen >= 0 ? chosen : (names.isEmpty() ? -1 : 0));
    }
    VariableComboBoxChange();
}

void TFKalibracja::VariableComboBoxChange() {
    const QString name = m_entries->currentText();
    const CalibrationList& entries = m_main.state().calibration;
    const auto entry = std::find_if(entries.cbegin(), entries.cend(),
                                    [&name](const CalibrationEntry& e) { return e.name == name; });
    if (m_entries->currentIndex() >= 0 && entry != entries.cend()) {
        showEntry(*entry);
    } else {
        clearEntryFields();  // nothing of the table is offered in this mode
    }
    // A table without rows has nothing to show; the renderer would only report it empty.
    if (!entries.isEmpty()) vFunCalibPreview(m_tables->currentText());
}

void TFKalibracja::showEntry(const CalibrationEntry& entry) {
    m_x1->setText(QString::number(entry.x1));
    m_y1->setText(QString::number(entry.y1));
    m_x2->setText(QString::number(entry.x2));
    m_y2->setText(QString::number(entry.y2));
    m_fontSize->setText(QString::number(entry.font_size));
    m_fontName->setCurrentText(entry.font_name);
    const bool known = entry.font_align >= 0 && entry.font_align < m_align->count();
    m_align->setCurrentIndex(known ? entry.font_align : -1);
    m_bold->setChecked(entry.font_style_bold != 0);
    m_italic->setChecked(entry.font_style_italic != 0);
    m_underline->setChecked(entry.font_style_underline != 0);
    m_strike->setChecked(entry.font_style_strike != 0);
}

void TFKalibracja::clearEntryFields() {
    for (QLineEdit* edit : {m_x1, m_y1, m_x2, m_y2, m_fontSize}) edit->clear();
    m_fontName->setCurrentText(QString());
    m_align->setCurrentIndex(-1);
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strike}) box->setChecked(false);
}

void TFKalibracja::vFunCalibPreview(const QString& table) {
    const std::optional<CalibrationPreviewTarget> target = calibrationPreviewTarget(table);
    if (!target) return;  // no document prints from this table: the preview stays
    using NoDots = CalibrationPreviewTarget::NoDots;
    if (target->noDots != NoDots::Unchanged) {
        QCheckBox* noDots = m_main.printNoDotsCheckBox();
        const bool wanted = target->noDots == NoDots::On;
        if (noDots->isChecked() != wanted) {
            // As the user's click: stored, and the tree's preview refreshed.
            noDots->setChecked(wanted);
            m_main.PrintNoDotsCheckBoxClick();
        }
    }
    const DocumentType& type = documentTypes().at(target->type);
    // The switch's click reloads the selected pupil into the forms: the document shown gets
    // its sample data again.
    if (FormModel* form = m_main.forms().forModel(type.formName)) vFunFillDocumentSampleData(*form);
    m_main.state().selectedCalibrationName = m_entries->currentText();
    bFunRenderDocumentPages(m_main, type, false);
}

CalibrationFields TFKalibracja::fields() const {
    CalibrationFields f;
    f.name = m_entries->currentText();
    f.x1 = m_x1->text();
    f.y1 = m_y1->text();
    f.x2 = m_x2->text();
    f.y2 = m_y2->text();
    f.fontSize = m_fontSize->text();
    f.fontName = m_fontName->currentText();
    f.align = m_align->currentIndex();
    f.bold = m_bold->isChecked();
    f.italic = m_italic->isChecked();
    f.underline = m_underline->isChecked();
    f.strike = m_strike->isChecked();
    return f;
}

bool TFKalibracja::shiftPair(QLineEdit* first, const char* firstLabel, QLineEdit* second,
                             const char* secondLabel, int step) {
    const std::optional<int> a = integerField(first->text());
    const std::optional<int> b = integerField(second->text());
    if (!a || !b) {
        showError(a ? strFunNotAnIntegerMessage(QString::fromLatin1(secondLabel), second->text())
                    : strFunNotAnIntegerMessage(QString::fromLatin1(firstLabel), first->text()));
        return false;
    }
    first->setText(QString::number(shiftedCoordinate(*a, step)));
    second->setText(QString::number(shiftedCoordinate(*b, step)));
    return true;
}

bool TFKalibracja::moveBy(int dx, int dy) {
    if (dx != 0 && !shiftPair(m_x1, "X1", m_x2, "X2", dx)) return false;
    return dy == 0 || shiftPair(m_y1, "Y1", m_y2, "Y2", dy);
}

void TFKalibracja::changeFontSize(int step) {
    const std::optional<int> size = integerField(m_fontSize->text());
    if (!size) {
        showError(strFunNotAnIntegerMessage(QStringLiteral("Rozmiar czcionki"), m_fontSize->text()));
        return;
    }
    m_fontSize->setText(QString::number(shiftedCoordinate(*size, step)));
}

bool TFKalibracja::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_x1 && event->type() == QEvent::KeyPress) {
        int dx = 0;
        int dy = 0;
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Left: dx = -1; break;
            case Qt::Key_Right: dx = 1; break;
            case Qt::Key_Up: dy = -1; break;
            case Qt::Key_Down: dy = 1; break;
            default: return QDialog::eventFilter(watched, event);
        }
        // An arrow moves the entry and applies it at once, so the preview follows the keys.
        // A coordinate that is no number has been reported; nothing is applied then.
        if (moveBy(dx, dy)) SaveButtonClick();
        m_x1->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFKalibracja::SaveButtonClick() {
    MainWindowState& state = m_main.state();
    QString refusal;
    const std::optional<CalibrationEntry> entry = entryFromFields(fields(), refusal);
    if (!entry) {
        showError(refusal);
        return;
    }
    if (bFunSqlCalibUpdateValue(state.err, strFunGetCalibFilePath(state.err, false),
                                m_tables->currentText(), *entry)) {
        m_calibrationChanged = true;
    } else {
        showError(QStringLiteral("Błąd podczas próby zapisania danych kalibracji.\n\n") +
                  state.err.text());
    }
    // The fields show what the database holds now.
    const QString chosen = m_entries->currentText();
    if (!bFunLoadCalibTable()) {
        showError(QStringLiteral("Błąd podczas próby wczytania zmiennych kalibracji.\n\n") +
                  state.err.text());
        return;
    }
    offerEntries(chosen);
}

void TFKalibracja::PrzywrocUstawieniaButtonClick() {
    const PromptAnswer answer = prompter().message(
        this, QStringLiteral("Czy na pewno chcesz przywrócić oryginalne ustawienia ?"),
        QStringLiteral("Przywracanie"), PromptIcon::None, PromptButtons::YesNo);
    // A failed restore is only logged; the table is then read from the unchanged working copy.
    if (answer == PromptAnswer::Yes && bFunRestoreShippedCalibration(m_main.state().err))
        m_calibrationChanged = true;
    TypSwiadectwaComboBoxChange();
}

void TFKalibracja::DrukujArkuszTestowyButtonClick() {
    // A sheet on plain paper tells how far the printer is off before any form is spent.
    if (auto* printDialog = m_main.programWindow<TFDrukuj>()) iFunPrintTestSheet(*printDialog);
}

void TFKalibracja::CloseButtonClick() {
    // The main window's reload follows the closing (calibration_command.cpp), however the
    // dialog is left.
    accept();
}

void TFKalibracja::showError(const QString& text) {
    prompter().message(this, text, kErrorCaption, PromptIcon::Error, PromptButtons::Ok);
}
