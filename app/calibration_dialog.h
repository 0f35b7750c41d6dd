#pragma once

#include <QDialog>
#include <QString>

#include "render/calibration_choices.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TFGlowna;

// The calibration dialog: one entry of one calibration table at a time, its place and font,
// written back with "Zastosuj". While it is open the main window previews the table's document
// with sample data and the chosen entry outlined in red (the main window's highlight flag).
// Created once at start-up; the menu commands (calibration_command.h) show it modally.
class TFKalibracja : public QDialog {
    Q_OBJECT
public:
    explicit TFKalibracja(TFGlowna& main);

    // Advanced: every entry of a table; basic: only the variable data. Sets the caption too.
    void setAdvanced(bool advanced);
    bool isAdvanced() const { return m_advanced; }
    // "Zastosuj" or the restore has changed the working calibration since the last showing.
    bool calibrationChanged() const { return m_calibrationChanged; }

public slots:
    void TypSwiadectwaComboBoxChange();
    void VariableComboBoxChange();
    void LeftSpeedButtonClick() { moveBy(-1, 0); }
    void RightSpeedButtonClick() { moveBy(1, 0); }
    void UpSpeedButtonClick() { moveBy(0, -1); }
    void DownSpeedButtonClick() { moveBy(0, 1); }
    void UpFontSizeSpeedButtonClick() { changeFontSize(1); }
    void DownFontSizeSpeedButtonClick() { changeFontSize(-1); }
    void SaveButtonClick();
    void PrzywrocUstawieniaButtonClick();
    void DrukujArkuszTestowyButtonClick();
    void CloseButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool bFunLoadCalibTable();
    void vFunCalibPreview(const QString& table);
    // Refills the entry list from the loaded table and chooses `name` (the first when absent).
    void offerEntries(const QString& name);
    void showEntry(const CalibrationEntry& entry);
    void clearEntryFields();
    CalibrationFields fields() const;
    // False (told to the user) when a coordinate to move holds no integer.
    bool moveBy(int dx, int dy);
    void changeFontSize(int step);
    // Shifts the two edits by `step`; false (told to the user) when one holds no integer.
    bool shiftPair(QLineEdit* first, const char* firstLabel, QLineEdit* second,
                   const char* secondLabel, int step);
    void showError(const QString& text);

    TFGlowna& m_main;
    bool m_advanced = false;
    bool m_calibrationChanged = false;

    QComboBox* m_tables = nullptr;
    QComboBox* m_entries = nullptr;
    QLineEdit* m_x1 = nullptr;
    QLineEdit* m_y1 = nullptr;
    QLineEdit* m_x2 = nullptr;
    QLineEdit* m_y2 = nullptr;
    QLineEdit* m_fontSize = nullptr;
    QComboBox* m_fontName = nullptr;
    QComboBox* m_align = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_strike = nullptr;
};
