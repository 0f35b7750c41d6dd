#pragma once

#include <QString>

#include "error_stream.h"

// Program-wide switches: rows of the table `settings` in the working settings database.
// A key without a row reads as 0 (integer form) or "" (text form); its first write inserts it.

bool bFunSqlSettingWriteValue(ErrorStream& err, QString key, QString value);
bool bFunSqlSettingWriteValue(ErrorStream& err, QString key, int value);
bool bFunSqlGetSettingsValue(ErrorStream& err, QString key, QString& value);
bool bFunSqlGetSettingsValue(ErrorStream& err, QString key, int& value);
