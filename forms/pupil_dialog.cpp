#include "pupil_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "forms/pupil_model.h"
#include "forms/text_input_validator.h"

namespace {

QString labelFor(const QString& component) {
    static const QHash<QString, QString> labels = {
        {PupilModel::kSurname, QStringLiteral("nazwisko")},
        {PupilModel::kFirstName, QStringLiteral("imię")},
        {PupilModel::kSex, QStringLiteral("płeć")},
        {PupilModel::kBirthDay, QStringLiteral("urodzony dnia")},
        {PupilModel::kBirthYear, QStringLiteral("urodzony w roku")},
        {PupilModel::kBirthTown, QStringLiteral("urodzony w (miasto)")},
        {PupilModel::kBirthProvince, QStringLiteral("urodzony (województwo)")},
        {PupilModel::kRegisterNumber, QStringLiteral("nr ucznia na świadectwie")},
        {PupilModel::kPesel, QStringLiteral("numer PESEL")},
    };
    return labels.value(component);
}

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items.append(box->itemText(i));
    return items;
}

void showText(QLineEdit* edit, TextInputValidator* validator, const QString& text) {
    if (edit->text() == text) return;
    validator->allowLength(static_cast<int>(text.size()));
    edit->setText(text);
}

}  // namespace

TFDaneUcznia::TFDaneUcznia(PupilModel& pupil, PupilSaver& saver, ErrorStream& err, QWidget* parent)
    : QDialog(parent), m_pupil(pupil), m_saver(saver), m_err(err) {
    setObjectName(QStringLiteral("FDaneUcznia"));
    setWindowTitle(QStringLiteral("Dane ucznia"));

    auto* fields = new QFormLayout;
    for (int i = 0; i < m_pupil.componentCount(); ++i) {
        QWidget* widget = createWidget(i);
        auto* label = new QLabel(labelFor(widget->objectName()), this);
        label->setBuddy(widget);
        fields->addRow(label, widget);
        showComponent(i);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), this);
    cancel->setObjectName(QStringLiteral("AnulujButton"));
    connect(ok, &QPushButton::clicked, this, &TFDaneUcznia::OKButtonClick);
    connect(cancel, &QPushButton::clicked, this, &TFDaneUcznia::AnulujButtonClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    QList<QWidget*> tabOrder = m_widgets;
    tabOrder << ok << cancel;
    for (int i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    connect(&m_pupil, &FormModel::componentChanged, this, &TFDaneUcznia::showComponent);
}

QWidget* TFDaneUcznia::createWidget(int index) {
    const Component& component = m_pupil.component(index);
    QWidget* widget = nullptr;
    TextInputValidator* validator = nullptr;
    switch (component.kind) {
    case ComponentKind::DropDownList: {
        auto* box = new QComboBox(this);
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, index](int item) { takeSelection(index, item); });
        widget = box;
        break;
    }
    case ComponentKind::ComboBox: {
        auto* box = new QComboBox(this);
        box->setEditable(true);
        // The suggestions come from the model; typing never adds to them.
        box->setInsertPolicy(QComboBox::NoInsert);
        validator = new TextInputValidator(component.maxLength, box);
        box->setValidator(validator);
        connect(box, &QComboBox::currentTextChanged, this,
                [this, index](const QString& text) { takeText(index, text); });
        widget = box;
        break;
    }
    default: {
        auto* edit = new QLineEdit(this);
        validator = new TextInputValidator(component.maxLength, edit);
        edit->setValidator(validator);
        connect(edit, &QLineEdit::textEdited, this,
                [this, index](const QString& text) { takeText(index, text); });
        widget = edit;
        break;
    }
    }
    widget->setObjectName(component.name);
    widget->setEnabled(component.enabled);
    widget->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    m_widgets.append(widget);
    m_validators.append(validator);
    return widget;
}

void TFDaneUcznia::showComponent(int index) {
    if (index < 0 || index >= m_widgets.size()) return;
    const Component& component = m_pupil.component(index);
    const bool wasShowing = m_showingModel;
    m_showingModel = true;
    if (auto* edit = qobject_cast<QLineEdit*>(m_widgets.at(index))) {
        showText(edit, m_validators.at(index), component.text);
    } else if (auto* box = qobject_cast<QComboBox*>(m_widgets.at(index))) {
        if (itemsOf(box) != component.items) {
            box->clear();
            box->addItems(component.items);
            box->setCurrentIndex(-1);
        }
        // Only a real change is shown, so the cursor stays where the user is typing.
        if (box->isEditable())
            showText(box->lineEdit(), m_validators.at(index), component.text);
        else if (box->currentIndex() != component.selectedIndex)
            box->setCurrentIndex(component.selectedIndex);
    }
    m_showingModel = wasShowing;
}

void TFDaneUcznia::takeText(int index, const QString& text) {
    if (!m_showingModel) m_pupil.setText(m_pupil.component(index).name, text);
}

void TFDaneUcznia::takeSelection(int index, int item) {
    if (!m_showingModel) m_pupil.setSelectedIndex(m_pupil.component(index).name, item);
}

void TFDaneUcznia::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window coming back from the task bar is not opened anew.
    if (!event->spontaneous()) FormShow();
}

void TFDaneUcznia::FormShow() {
    fillPlaceLists(m_pupil, m_err, this);
}

void TFDaneUcznia::OKButtonClick() {
    const PupilConfirmation result = confirmPupil(m_pupil, m_mode, m_oldTableName, m_saver, m_err, this);
    if (result.saved) {
        accept();
        return;
    }
    if (result.focusComponent.isEmpty()) return;
    if (QWidget* field = m_widgets.value(m_pupil.indexOf(result.focusComponent))) field->setFocus();
}

void TFDaneUcznia::AnulujButtonClick() {
    reject();
}
