#pragma once

class FormModel;
class FormRegistry;
class QWidget;

// The school-data template's work between its database, its model and the documents. Messages
// go through the prompt seam, over `parent`.

// Empties the template's model and reads the saved template into it. False, after the message
// "Błąd podczas odczytu danych.", when it cannot be read; the model is then left empty.
bool bFunReadSchoolTemplate(QWidget* parent, FormModel& schoolTemplate);

// What the template's window does when it opens: reads the template, puts last year and this
// year (the program's clock) into empty school years, and notes in the settings that the
// template has been created, so the edit command stops asking about it.
void vFunShowSchoolTemplate(QWidget* parent, FormModel& schoolTemplate);

// Writes one record per field, empty ones included. False, after the message, when the write
// failed; the saved template is then the one before.
bool bFunSaveSchoolTemplate(QWidget* parent, const FormModel& schoolTemplate);

// The documents' button "Wczytaj szablon ...": reads the saved template and copies it into the
// document's school fields (see vFunCopyTemplateToDocument). When the template cannot be read
// the document is left as it was.
void vFunFillDocumentFromTemplate(QWidget* parent, FormRegistry& forms, FormModel& document);
