#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "document_window.h"

class QComboBox;
struct PupilSaver;

// What a grade-sheet page's window shows besides the page.
struct GradeSheetWindowOptions {
    QString title;
    bool titlePage = false;
    QStringList certificateChoices;  // year pages: the certificates a column can be loaded from
    int columns = 1;                 // year pages: school years side by side, 1 or 2
};

// The year-page button's work, given the indices of the two selectors (-1: nothing chosen; the
// column 0 on one-column pages): copy the chosen certificate into the chosen column of the
// page's form, or say what is missing.
using LoadFromCertificate = std::function<void(int certificateIndex, int columnIndex)>;

// A year page's window: below the page, the certificate to load from, on two-column pages
// the column to load into, and the button that loads it. Every showing starts from the first
// certificate and the first column.
class YearPageWindow : public DocumentWindow {
    Q_OBJECT
public:
    YearPageWindow(FormModel& form, const GradeSheetWindowOptions& options, const DocumentLayout& layout,
                   AcceptAction acceptAction, LoadFromCertificate load, QWidget* parent = nullptr);

    void setLoadFromCertificate(LoadFromCertificate load) { m_load = std::move(load); }

protected:
    void FormShow() override;

private slots:
    void WczytajDaneZSwiadectwaButtonClick();

private:
    LoadFromCertificate m_load;
    QComboBox* m_certificate;
    QComboBox* m_column = nullptr;  // two-column pages only
};

// The window of a grade-sheet page: 862 pixels wide (780 for title pages), the page in one
// scroll box, "OK" saving the whole pupil under the table `currentTable` names at that moment.
// Title pages have "Wczytaj szablon arkusza" (its action set by the caller), year pages the
// load from a certificate.
DocumentWindow* createGradeSheetWindow(FormModel& page, const GradeSheetWindowOptions& options,
                                       const DocumentLayout& layout, PupilSaver& saver,
                                       std::function<QString()> currentTable,
                                       LoadFromCertificate load, QWidget* parent = nullptr);

