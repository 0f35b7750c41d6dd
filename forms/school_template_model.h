#pragma once

#include <QList>
#include <QString>

#include "field_model.h"

// The school-data template as a form: its fields, and how its values travel to and from the
// documents that carry school data. QtCore only; reading, saving and the window live elsewhere.

inline constexpr char kSchoolTemplateWindowName[] = "TFDaneSzkoly";
inline constexpr char kSchoolTemplateDocumentId[] = "DANE SZKOLY";

// The template's fields in the window's order: the certificate tab, then the grade sheet tab.
QList<Component> schoolTemplateComponents();
// The first school year is empty: last year's number goes there; likewise this year's number
// into the second.
void vFunDefaultSchoolYears(FormModel& schoolTemplate, int currentYear);

// A document the template's window can take values from.
struct TemplateSource {
    QString caption;   // the entry of the source list
    QString formName;  // the form model it copies from
};
// In the order of the source list.
const QList<TemplateSource>& templateSources();

// Copies the template into the document's school fields, overwriting even with empty values:
// a certificate gets its school data (a school-leaving one without the two class fields), a
// grade sheet's title page the school's name and register, the parents'-meeting note its year,
// class, language and first three subjects. Other documents are left alone.
void vFunCopyTemplateToDocument(const FormModel& schoolTemplate, FormModel& document);
// The other way round, from a certificate or a title page; other template fields keep their
// values.
void vFunCopyToTemplate(const FormModel& source, FormModel& schoolTemplate);
