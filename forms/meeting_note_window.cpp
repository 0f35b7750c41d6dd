#include "meeting_note_window.h"

#include "document_window.h"

DocumentWindow* createMeetingNoteWindow(FormModel& note, const QString& title,
                                        const DocumentLayout& layout, PupilSaver& saver,
                                        std::function<QString()> currentTable, QWidget* parent) {
    DocumentWindowShape shape;
    shape.width = 440;
    shape.fixedHeight = 540;
    shape.tabs = false;
    return new DocumentWindow(note, title, layout, savingWholePupil(saver, std::move(currentTable)),
                              parent, shape);
}
