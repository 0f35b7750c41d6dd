#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include "calibration.h"
#include "forms/document_layout.h"

class FormModel;

// The face an editing window shows for a certificate, built from the calibration of the
// certificate's a-series counterpart (the a series is printed whole, so its tables describe
// every label and dotted line): the labels with the form's captions and the dotted lines, drawn
// as on the page, and the data fields' rectangles. Data texts, strikes and marks are left out;
// the marks' places get a faint outline.
DocumentLayout buildCertificateLayout(const FormModel& certificate, const CalibrationList& entries);

// The calibration table the editing window of a certificate is drawn from ("klasa_4a" for
// TFKlasa4 and TFKlasa4a); "" when `windowName` names no certificate.
QString strFunEditingLayoutTable(const QString& windowName);

// The layouts of the certificate windows, built once per member for the run. Drawn from the
// working calibration, or the shipped one when the working table cannot be read.
class EditingLayouts : public QObject {
    Q_OBJECT
public:
    explicit EditingLayouts(QObject* parent = nullptr) : QObject(parent) {}

    const DocumentLayout& certificateLayout(const FormModel& certificate);
    // The calibration changed: the next request builds anew.
    void invalidate() { m_layouts.clear(); }

private:
    QHash<QString, DocumentLayout> m_layouts;  // by window name
};
