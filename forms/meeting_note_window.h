#pragma once

#include <QString>

#include <functional>

#include "document_layout.h"

class DocumentWindow;
class FormModel;
class QWidget;
struct PupilSaver;

// The parents'-meeting note's window: 440 x 540, the note's part of the page stretched over it
// without scrolling, "Wczytaj szablon danych szkoły" (its action set by the caller), and "OK"
// saving the whole pupil under the table `currentTable` names at that moment.
DocumentWindow* createMeetingNoteWindow(FormModel& note, const QString& title,
                                        const DocumentLayout& layout, PupilSaver& saver,
                                        std::function<QString()> currentTable,
                                        QWidget* parent = nullptr);
