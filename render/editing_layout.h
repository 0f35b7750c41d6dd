#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include "calibration.h"
#include "forms/document_layout.h"

class FormModel;

// The calibration tables an editing window is drawn from: `face` gives the labels (with the
// form's captions), frames, dotted lines and mark places; `fields` where the data fields sit.
// - certificates: both from the a-series counterpart (the a series is printed whole, so its
//   tables describe every label and dotted line);
// - the meeting note and the b pages of the grade sheet: both their own table;
// - the basic grade-sheet pages, printed onto a pre-printed sheet: the face of the b page of
//   the same number (arkusz_klasa_4 -> arkusz_klasa_4b), the fields where their own table
//   prints them.
// Both empty when `windowName` names no document.
struct EditingTables {
    QString face;
    QString fields;
};
EditingTables editingLayoutTables(const QString& windowName);

// The layout of `form`'s window from the rows of its face and fields tables. The face is drawn
// as on the page, without data texts, strikes or marks (their places get a faint outline);
// each data component with a row in `fields` gets its rectangle, a memo one rectangle over all
// its lines. Certificates place their components on the side their names say.
DocumentLayout buildEditingLayout(const FormModel& form, const CalibrationList& face,
                                  const CalibrationList& fields);

// The layouts of the editing windows, built once per document for the run. Drawn from the
// working calibration, or the shipped one when the working table cannot be read.
class EditingLayouts : public QObject {
    Q_OBJECT
public:
    explicit EditingLayouts(QObject* parent = nullptr) : QObject(parent) {}

    const DocumentLayout& layoutFor(const FormModel& form);
    // The calibration changed: the next request builds anew.
    void invalidate() { m_layouts.clear(); }

private:
    QHash<QString, DocumentLayout> m_layouts;  // by window name
};
