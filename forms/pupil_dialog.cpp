#include "pupil_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "forms/component_binder.h"
#include "forms/pupil_model.h"

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

}  // namespace

TFDaneUcznia::TFDaneUcznia(PupilModel& pupil, PupilSaver& saver, ErrorStream& err, QWidget* parent)
    : QDialog(parent),
      m_pupil(pupil),
      m_saver(saver),
      m_err(err),
      m_binder(new ComponentBinder(pupil, this)) {
    setObjectName(QStringLiteral("FDaneUcznia"));
    setWindowTitle(QStringLiteral("Dane ucznia"));

    auto* fields = new QFormLayout;
    for (int i = 0; i < m_pupil.componentCount(); ++i) {
        QWidget* widget = m_binder->bind(i, this);
        if (!widget) continue;
        widget->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
        m_widgets.append(widget);
        auto* label = new QLabel(labelFor(widget->objectName()), this);
        label->setBuddy(widget);
        fields->addRow(label, widget);
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
}

void TFDaneUcznia::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window coming back from the task bar is not opened anew.
    if (!event->spontaneous()) {
        FormShow();
        m_atOpening.remember(m_pupil);
    }
}

void TFDaneUcznia::FormShow() {
    fillPlaceLists(m_pupil, m_err, this);
    // Every opening starts at the surname, whatever field had the cursor last time.
    if (!m_widgets.isEmpty()) m_widgets.first()->setFocus(Qt::OtherFocusReason);
}

void TFDaneUcznia::OKButtonClick() {
    const PupilConfirmation result = confirmPupil(m_pupil, m_mode, m_oldTableName, m_saver, m_err, this);
    if (result.saved) {
        accept();
        return;
    }
    if (result.focusComponent.isEmpty()) return;
    if (QWidget* field = m_binder->widget(m_pupil.indexOf(result.focusComponent))) field->setFocus();
}

void TFDaneUcznia::AnulujButtonClick() {
    reject();
}

void TFDaneUcznia::reject() {
    vFunCloseWithoutOk(
        this, m_pupil, m_atOpening, [this] { OKButtonClick(); }, [this] { QDialog::reject(); });
}
