#include "unsaved_edits.h"

#include <QWidget>

#include "field_model.h"
#include "prompter.h"

namespace {

RecordList valuesOf(const FormModel& form) {
    RecordList records;
    form.bFunGetDataList(records);
    return records;
}

bool sameValues(const RecordList& a, const RecordList& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i).id != b.at(i).id || a.at(i).compName != b.at(i).compName
            || a.at(i).value != b.at(i).value)
            return false;
    }
    return true;
}

enum class CloseWithoutOk { Close, Save, Stay };

CloseWithoutOk closeWithoutOk(QWidget* window, const FormModel& form,
                              const ValuesAtOpening& opening) {
    if (!opening.differFrom(form)) return CloseWithoutOk::Close;
    switch (prompter().message(window, QStringLiteral("Czy zapisać zmiany wprowadzone w tym oknie?"),
                               window ? window->windowTitle() : QString(), PromptIcon::Question,
                               PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes:
        return CloseWithoutOk::Save;
    case PromptAnswer::No:
        return CloseWithoutOk::Close;
    case PromptAnswer::Ok:
    case PromptAnswer::Cancel:
        break;
    }
    return CloseWithoutOk::Stay;
}

}  // namespace

void ValuesAtOpening::remember(const FormModel& form) {
    m_records = valuesOf(form);
}

bool ValuesAtOpening::differFrom(const FormModel& form) const {
    return !sameValues(m_records, valuesOf(form));
}

void vFunCloseWithoutOk(QWidget* window, const FormModel& form, const ValuesAtOpening& opening,
                        const std::function<void()>& save, const std::function<void()>& close) {
    switch (closeWithoutOk(window, form, opening)) {
    case CloseWithoutOk::Close:
        close();
        break;
    case CloseWithoutOk::Save:
        save();
        break;
    case CloseWithoutOk::Stay:
        break;
    }
}
