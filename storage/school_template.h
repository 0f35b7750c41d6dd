#pragma once

#include <QString>

#include "error_stream.h"
#include "field_record.h"

// The school-data template: the values that repeat on every pupil's documents (school year,
// school name, town, date of issue, ...), kept once for the whole program in its own database
// (strFunGetTemplateFilePath) as rows (id, comp_name, value) of one table.

inline constexpr char kSchoolTemplateTable[] = "school_data";

// Replaces the table with the records, in list order, all or nothing: a failed write keeps the
// template that was there before. The caller's records are not changed.
bool bFunSqlTemplateWriteData(ErrorStream& err, QString path, QString table,
                              const RecordList& records);

// Empties `records`, then appends one record per row of the table, in row order. A template
// never saved (no table yet) reads as an empty list.
bool bFunSqlTemplateReadData(ErrorStream& err, QString path, QString table, RecordList& records);
