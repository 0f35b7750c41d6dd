#pragma once

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

// What the window does after the user closed it without OK.
enum class CloseWithoutOk {
    Close,  // nothing was changed, or the user drops the changes
    Save,   // run what OK runs; the window closes only when that saves
    Stay,   // keep editing
};

// Closes at once when the values are as they were at opening; otherwise asks through the prompt
// seam, captioned with the window's title, whether to save the changes.
CloseWithoutOk closeWithoutOk(QWidget* window, const FormModel& form,
                              const ValuesAtOpening& opening);
