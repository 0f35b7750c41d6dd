#pragma once

#include <QString>
#include <QStringList>

#include "field_model.h"

// Small constructors of components shared by the document descriptions, and the suggestion
// lists of the grade boxes. Texts are UTF-8 source literals.
namespace builders {

QString u8(const char* text);
QStringList utf8List(std::initializer_list<const char*> texts);

// A fixed text printed on the form; `pixels` 0 keeps the window's default size.
Component fixedText(const QString& name, const QString& caption, int pixels = 0, bool bold = false);
Component dataEdit(const QString& name, int maxLength = 0);
// Filled by the program from the pupil data; the user cannot change it.
Component copiedEdit(const QString& name);
Component suggestingCombo(const QString& name, const QStringList& items, int maxLength = 0);
// A memo that holds at most `maxLines` lines.
Component limitedMemo(const QString& name, int maxLines);

// The item lists only suggest; any typed text is kept.
const QStringList& gradeItems();
const QStringList& behaviourItems();
// The grades, then the four "did not attend" texts.
const QStringList& religionItems();

}  // namespace builders
