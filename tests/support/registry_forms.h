#pragma once

#include <QString>
#include <QtGlobal>

#include "forms/field_model.h"
#include "forms/form_registry.h"

// Polish texts written in UTF-8 source.
inline QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// The registry's form of that window name; a wrong name stops the test at once.
inline FormModel& form(const FormRegistry& registry, const QString& windowName) {
    FormModel* model = registry.forModel(windowName);
    if (!model) qFatal("no form %s", qPrintable(windowName));
    return *model;
}
