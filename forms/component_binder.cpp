#include "component_binder.h"

#include <QComboBox>
#include <QLineEdit>

#include "field_model.h"
#include "input_hint.h"
#include "memo_edit.h"
#include "text_input_validator.h"

namespace {

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items.append(box->itemText(i));
    return items;
}

void showText(QLineEdit* edit, TextInputValidator* validator, const QString& text) {
    // Only a real change is shown, so the cursor stays where the user is typing.
    if (edit->text() == text) return;
    validator->allowLength(static_cast<int>(text.size()));
    edit->setText(text);
}

}  // namespace

ComponentBinder::ComponentBinder(FormModel& model, QObject* parent)
    : QObject(parent), m_model(model) {
    connect(&m_model, &FormModel::componentChanged, this, &ComponentBinder::show);
}

QWidget* ComponentBinder::bind(int index, QWidget* parent) {
    if (index < 0 || index >= m_model.componentCount() || m_bindings.contains(index)) return nullptr;
    const Component& component = m_model.component(index);
    Binding binding;
    switch (component.kind) {
    case ComponentKind::DropDownList: {
        auto* box = new QComboBox(parent);
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, index](int item) { takeSelection(index, item); });
        binding.widget = box;
        break;
    }
    case ComponentKind::ComboBox: {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        // The suggestions come from the model; typing never adds to them.
        box->setInsertPolicy(QComboBox::NoInsert);
        binding.validator = new TextInputValidator(component.maxLength, box);
        box->setValidator(binding.validator);
        box->lineEdit()->setReadOnly(component.readOnly);
        connect(box, &QComboBox::currentTextChanged, this,
                [this, index](const QString& text) { takeText(index, text); });
        binding.widget = box;
        break;
    }
    case ComponentKind::Edit: {
        auto* edit = new QLineEdit(parent);
        binding.validator = new TextInputValidator(component.maxLength, edit);
        edit->setValidator(binding.validator);
        edit->setReadOnly(component.readOnly);
        connect(edit, &QLineEdit::textEdited, this,
                [this, index](const QString& text) { takeText(index, text); });
        binding.widget = edit;
        break;
    }
    case ComponentKind::Memo: {
        auto* memo = new MemoEdit(parent);
        memo->setMaxLines(component.maxLines);
        memo->setReadOnly(component.readOnly);
        connect(memo, &QTextEdit::textChanged, this,
                [this, index, memo] { takeText(index, memo->toPlainText()); });
        connect(memo, &MemoEdit::characterRefused, memo,
                [memo](const QString& message) { showInputHint(memo, message); });
        binding.widget = memo;
        break;
    }
    default:
        return nullptr;
    }
    if (binding.validator) {
        QWidget* field = binding.widget;
        connect(binding.validator, &TextInputValidator::characterRefused, field,
                [field](const QString& message) { showInputHint(field, message); });
    }
    binding.widget->setObjectName(component.name);
    binding.widget->setEnabled(component.enabled);
    m_bindings.insert(index, binding);
    show(index);
    return binding.widget;
}

QWidget* ComponentBinder::widget(int index) const {
    return m_bindings.value(index).widget;
}

void ComponentBinder::show(int index) {
    const auto found = m_bindings.constFind(index);
    if (found == m_bindings.constEnd()) return;
    const Component& component = m_model.component(index);
    const bool wasShowing = m_showingModel;
    m_showingModel = true;
    if (auto* edit = qobject_cast<QLineEdit*>(found->widget)) {
        showText(edit, found->validator, component.text);
    } else if (auto* memo = qobject_cast<MemoEdit*>(found->widget)) {
        memo->showText(component.lines.join(QLatin1Char('\n')));
    } else if (auto* box = qobject_cast<QComboBox*>(found->widget)) {
        if (itemsOf(box) != component.items) {
            box->clear();
            box->addItems(component.items);
            box->setCurrentIndex(-1);
        }
        if (box->isEditable())
            showText(box->lineEdit(), found->validator, component.text);
        else if (box->currentIndex() != component.selectedIndex)
            box->setCurrentIndex(component.selectedIndex);
    }
    m_showingModel = wasShowing;
}

void ComponentBinder::takeText(int index, const QString& text) {
    if (!m_showingModel) m_model.setText(m_model.component(index).name, text);
}

void ComponentBinder::takeSelection(int index, int item) {
    if (!m_showingModel) m_model.setSelectedIndex(m_model.component(index).name, item);
}
