#pragma once

#include "storage/error_stream.h"

// Sends the error log to the maker's support: a message to the address of the text setting
// "support_email", subject "Logi", with the log database attached as "logs.sqdb". False when the
// address cannot be read or is empty, or the mail client failed.
bool bFunSendLogFile(ErrorStream& err);
