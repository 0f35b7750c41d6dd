#pragma once

#include <QString>
#include <QStringList>

#include "error_stream.h"

// Suggestions for the pupil's place of birth: the tables `city` (towns) and `province` in the
// working settings database, one text column `name`. They come with the settings database and
// are never created here; a name is added only when it is not there yet.

// Empty `names`, then fill it with every name in the table's ascending order.
bool bFunStudentDataLoadCityList(ErrorStream& err, QStringList& names);
bool bFunStudentDataLoadProvinceList(ErrorStream& err, QStringList& names);

// Adds `name` unless the list holds it already; false only on an error.
bool bFunStudentDataAddCity(ErrorStream& err, QString name);
bool bFunStudentDataAddProvince(ErrorStream& err, QString name);
