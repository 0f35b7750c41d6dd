#pragma once

#include <QString>

#include "storage/error_stream.h"

// The help file beside the program and the maker's contact page, opened with the desktop's
// default handler.

bool bFunOpenHelp();
// The page address is the text setting "contact_page_url"; false when it cannot be read or
// is empty.
bool bFunOpenContactPage(ErrorStream& err);
