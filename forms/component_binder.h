#pragma once

#include <QHash>
#include <QObject>

class FormModel;
class QWidget;
class TextInputValidator;

// Keeps the input widgets of a window and the components of its model in step, both ways:
// typing changes the model at once, and a model change (load, clear, sample fill) shows in the
// widget. Widgets carry the components' names.
class ComponentBinder : public QObject {
    Q_OBJECT
public:
    explicit ComponentBinder(FormModel& model, QObject* parent = nullptr);

    // The input widget of component `index`, created as a child of `parent` and showing the
    // component's value: a line edit for edits, an editable combo box for combo boxes, a fixed
    // list for drop-down lists, a memo edit for memos. nullptr for kinds that have no input
    // widget.
    QWidget* bind(int index, QWidget* parent);
    // nullptr when the component has no bound widget.
    QWidget* widget(int index) const;

private:
    void show(int index);
    void takeText(int index, const QString& text);
    void takeSelection(int index, int item);

    struct Binding {
        QWidget* widget = nullptr;
        TextInputValidator* validator = nullptr;  // none for the fixed list
    };

    FormModel& m_model;
    QHash<int, Binding> m_bindings;  // by component index
    bool m_showingModel = false;  // widget signals caused by showing the model are not edits
};
