#pragma once

#include <QString>

#include "error_stream.h"

class CppSQLite3DB;
class CppSQLite3Exception;

// How a store reports a failed operation: the message replaces what `err` held and is logged
// under the operation's name. The texts and names stay each store's own.
namespace store {

// Empties `err`, writes `text` into it and logs it as an error under `fun`.
void report(ErrorStream& err, const QString& text, const char* fun);

// Reports "<lead><path>" under `fun`. Always false, so that an operation can return it.
bool missingFile(ErrorStream& err, const char* lead, const QString& path, const char* fun);

// "<lead><code name>": the engine's own text stays in the exception, the user sees the code name.
QString sqlErrorText(const char* lead, const CppSQLite3Exception& e);
void reportSqlError(ErrorStream& err, const char* lead, const CppSQLite3Exception& e,
                    const char* fun);

// Cleanup on a failure path must not throw over the error being reported.
void closeQuietly(CppSQLite3DB& db);
// The same for a connection that may be inside a transaction: rolled back, then closed.
void rollbackAndClose(CppSQLite3DB& db);

}  // namespace store
