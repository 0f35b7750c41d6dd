#include "grade_sheet_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>


namespace {

DocumentWindowShape gradeSheetShape(bool titlePage) {
    DocumentWindowShape shape;
    shape.width = titlePage ? 780 : 862;
    shape.pageWidth = titlePage ? 759 : 841;
    shape.tabs = false;
    shape.top = 20;
    shape.screenReserve = 100;
    shape.opensAtTop = true;
    if (titlePage) {
        shape.templateButtonText = QStringLiteral("Wczytaj szablon arkusza");
        shape.templateButtonName = QStringLiteral("WczytajSzablonButton");
    } else {
        shape.templateButtonText.clear();
    }
    return shape;
}

}  // namespace

YearPageWindow::YearPageWindow(FormModel& form, const GradeSheetWindowOptions& options,
                               const DocumentLayout& layout, AcceptAction acceptAction,
                               LoadFromCertificate load, QWidget* parent)
    : DocumentWindow(form, options.title, layout, std::move(acceptAction), parent,
                     gradeSheetShape(false)),
      m_load(std::move(load)) {
    QWidget* panel = bottomRow()->parentWidget();
    m_certificate = new QComboBox(panel);
    m_certificate->setObjectName(QStringLiteral("SwiadectwoComboBox"));
    m_certificate->addItems(options.certificateChoices);
    int at = 0;
    bottomRow()->insertWidget(at++, m_certificate);
    if (options.columns > 1) {
        m_column = new QComboBox(panel);
        m_column->setObjectName(QStringLiteral("KolumnaComboBox"));
        for (int column = 1; column <= options.columns; ++column) m_column->addItem(QString::number(column));
        bottomRow()->insertWidget(at++, m_column);
    }
    auto* button = new QPushButton(options.columns > 1
                                       ? QString::fromUtf8("Wczytaj dane z wybranego świadectwa do wybranej kolumny")
                                       : QString::fromUtf8("Wczytaj dane z wybranego świadectwa"),
                                   panel);
    button->setObjectName(QStringLiteral("WczytajDaneZSwiadectwaButton"));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &YearPageWindow::WczytajDaneZSwiadectwaButtonClick);
    bottomRow()->insertWidget(at, button);
    // A turn of the wheel over a selector scrolls the page, as everywhere in the window.
    watchWheel(m_certificate);
    if (m_column) watchWheel(m_column);
}

void YearPageWindow::FormShow() {
    DocumentWindow::FormShow();
    m_certificate->setCurrentIndex(m_certificate->count() > 0 ? 0 : -1);
    if (m_column) m_column->setCurrentIndex(0);
}

void YearPageWindow::WczytajDaneZSwiadectwaButtonClick() {
    if (m_load) m_load(m_certificate->currentIndex(), m_column ? m_column->currentIndex() : 0);
}

DocumentWindow* createGradeSheetWindow(FormModel& page, const GradeSheetWindowOptions& options,
                                       const DocumentLayout& layout, PupilSaver& saver,
                                       std::function<QString()> currentTable,
                                       LoadFromCertificate load, QWidget* parent) {
    DocumentWindow::AcceptAction accept = savingWholePupil(saver, std::move(currentTable));
    if (options.titlePage)
        return new DocumentWindow(page, options.title, layout, accept, parent, gradeSheetShape(true));
    return new YearPageWindow(page, options, layout, accept, std::move(load), parent);
}
