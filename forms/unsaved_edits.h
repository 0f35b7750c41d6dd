#pragma once

#include <functional>

#include "storage/field_record.h"

class FormModel;
class QWidget;

// An editing window closed without OK ("Anuluj", Escape, the title bar) must not throw away
// what was typed without a word. Whether anything was typed is judged by the model's values,
// not by keys pressed: a value typed and typed back is no change.

// The values a form's model held when its window opened.
class ValuesAtOpening {
public:
    void remember(const FormModel& form);
    bool differFrom(const FormModel& form) const;

private:
    RecordList m_records;
};

// The window's whole reaction to a close without OK. It closes at once (`close`) when the values
// are as they were at opening; otherwise it asks through the prompt seam, captioned with the
// window's title, whether to save: "Tak" runs what OK runs (`save`, which closes the window only
// when the values are saved), "Nie" closes without saving, "Anuluj" keeps editing.
void vFunCloseWithoutOk(QWidget* window, const FormModel& form, const ValuesAtOpening& opening,
                        const std::function<void()>& save, const std::function<void()>& close);
