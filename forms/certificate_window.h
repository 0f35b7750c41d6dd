#pragma once

#include <QString>

#include <functional>

#include "document_layout.h"

class DocumentWindow;
class FormModel;
class QWidget;
struct PupilSaver;

// The editing window of one of the twelve certificates: titled as its member, and "OK" saves the
// whole pupil under the table that `currentTable` names at that moment (the note-line rule
// first). nullptr when `certificate` is not a certificate's model.
DocumentWindow* createCertificateWindow(FormModel& certificate, const DocumentLayout& layout,
                                        PupilSaver& saver, std::function<QString()> currentTable,
                                        QWidget* parent = nullptr);
