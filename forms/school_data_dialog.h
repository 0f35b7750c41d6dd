#pragma once

#include <QDialog>

#include "unsaved_edits.h"

class ComponentBinder;
class FormModel;
class FormRegistry;
class QComboBox;
class QShowEvent;
namespace school_template_layout {
struct Item;
}

// "Szablon danych": the school-data template's window, a view over the registry's template
// model. Two tabs show the school parts of the certificate and of the grade sheet's title page
// with the fields on their blanks; the bottom panel takes values from a filled document, saves
// or cancels. Created once for the whole run.
class TFDaneSzkoly : public QDialog {
    Q_OBJECT
public:
    explicit TFDaneSzkoly(FormRegistry& forms, QWidget* parent = nullptr);

    // "Anuluj", Escape and the title bar: asks before dropping changed values.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void OKButtonClick();
    void AnulujButtonClick();
    void LoadTemplateButtonClick();

private:
    void FormShow();
    QWidget* buildTab(const char* picture, int height, const school_template_layout::Item* items,
                      int itemCount);
    QWidget* buildBottomPanel();

    FormRegistry& m_forms;
    FormModel& m_template;
    ComponentBinder* m_binder;
    QComboBox* m_sources = nullptr;
    ValuesAtOpening m_atOpening;
};
