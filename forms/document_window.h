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
class QScrollArea;
class QShowEvent;
class QTabWidget;
class QWheelEvent;

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
                   AcceptAction acceptAction, QWidget* parent = nullptr);

    FormModel& form() const { return m_form; }
    // Redraws the pages and moves the input widgets, after the calibration changed.
    void setDocumentLayout(const DocumentLayout& layout);

    QScrollArea* scrollBox(int side) const { return m_scrollBoxes.value(side - 1); }

    // What the template button runs on the form: fills its school fields from the template.
    void setTemplateAction(std::function<void(FormModel&)> action) { m_templateAction = std::move(action); }

    // "Anuluj", Escape and the title bar: asks before dropping changed values.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void OKButtonClick();
    void AnulujButtonClick();
    void SzablonDanychButtonClick();

private:
    void FormShow();
    bool FormMouseWheel(const QWheelEvent& event);
    QWidget* buildPages(int sides);
    QWidget* buildBottomPanel();
    void placeField(const FieldPlacement& placement);
    void watchWheel(QWidget* widget);

    FormModel& m_form;
    AcceptAction m_accept;
    std::function<void(FormModel&)> m_templateAction;
    ComponentBinder* m_binder;
    ValuesAtOpening m_atOpening;
    QTabWidget* m_pageControl = nullptr;
    QList<QScrollArea*> m_scrollBoxes;     // by side
    QList<DocumentPageView*> m_pageViews;  // by side
};
