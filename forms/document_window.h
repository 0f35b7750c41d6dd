#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

#include "document_layout.h"
#include "unsaved_edits.h"

class ComponentBinder;
class DocumentPageView;
class FormModel;
class QHBoxLayout;
class QScrollArea;
class QShowEvent;
class QTabWidget;
class QWheelEvent;
struct PupilSaver;

// How an editing window is built around its pages. The default is the certificate's: two sides
// in tabs, as tall as the screen allows, centred.
struct DocumentWindowShape {
    int width = 746;
    int pageWidth = 716;      // the page's width in its scroll box
    bool tabs = true;         // the sides in tabs "Strona 1" / "Strona2"; else one scroll box
    int top = -1;             // at every showing: the window's top on the screen; -1 centres it
    int screenReserve = 50;   // at every showing: the window is the screen's height less this
    bool opensAtTop = false;  // at every showing: the pages scrolled to their top
    // > 0: the window keeps this height, and the part of the page the document uses is drawn
    // stretched over the window above the buttons, without scrolling (the meeting note).
    int fixedHeight = 0;
    QString templateButtonText = QStringLiteral("Wczytaj szablon danych szkoły");  // "": none
    QString templateButtonName = QStringLiteral("SzablonDanychButton");
};

// The editing window of one document: a view over its form model, drawn from a layout handed
// in from above. The pages show the document's face; the data components sit as input widgets
// where their texts print. Created once for the whole run; closing it never loses the model.
class DocumentWindow : public QDialog {
    Q_OBJECT
public:
    // What "OK" runs: true when the pupil was saved and the window may close.
    using AcceptAction = std::function<bool(FormModel& form)>;

    static constexpr int kWidth = 746;

    // The window's object name is the form's window name without its leading "T"
    // ("TFKlasa4a" -> "FKlasa4a"), so the program finds it by the form's name.
    DocumentWindow(FormModel& form, const QString& title, const DocumentLayout& layout,
                   AcceptAction acceptAction, QWidget* parent = nullptr,
                   const DocumentWindowShape& shape = DocumentWindowShape());

    FormModel& form() const { return m_form; }
    // Redraws the pages and moves the input widgets, after the calibration changed.
    void setDocumentLayout(const DocumentLayout& layout);
    // nullptr when the window does not scroll its pages.
    QScrollArea* scrollBox(int side) const { return m_scrollBoxes.value(side - 1); }
    DocumentPageView* pageView(int side) const { return m_pageViews.value(side - 1); }

    // What the template button runs on the form: fills its school fields from the template.
    void setTemplateAction(std::function<void(FormModel&)> action) { m_templateAction = std::move(action); }

    // "Anuluj", Escape and the title bar: asks before dropping changed values.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Runs at every showing of the window by the program.
    virtual void FormShow();
    // The bottom panel's row; widgets inserted at 0 stand left of the buttons.
    QHBoxLayout* bottomRow() const { return m_bottomRow; }
    // Takes the wheel of `widget` and its children, so it scrolls the pages.
    void watchWheel(QWidget* widget);

private slots:
    void OKButtonClick();
    void AnulujButtonClick();
    void SzablonDanychButtonClick();

private:
    bool FormMouseWheel(const QWheelEvent& event);
    QWidget* buildPages(int sides);
    QWidget* buildBottomPanel();
    void placeField(const FieldPlacement& placement);

    FormModel& m_form;
    AcceptAction m_accept;
    std::function<void(FormModel&)> m_templateAction;
    DocumentWindowShape m_shape;
    ComponentBinder* m_binder;
    ValuesAtOpening m_atOpening;
    QTabWidget* m_pageControl = nullptr;
    QWidget* m_bottomPanel = nullptr;
    QHBoxLayout* m_bottomRow = nullptr;
    QList<QScrollArea*> m_scrollBoxes;     // by side
    QList<DocumentPageView*> m_pageViews;  // by side
};

// "OK" of a document window with nothing to do before the save: the whole pupil is saved under
// the table that `currentTable` names at that moment.
DocumentWindow::AcceptAction savingWholePupil(PupilSaver& saver,
                                              std::function<QString()> currentTable);
