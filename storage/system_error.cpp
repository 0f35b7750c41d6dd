#include "system_error.h"

namespace {

// Per thread, like errno itself: the update-check thread must not overwrite the code that the
// user-interface thread is about to show.
thread_local int t_lastCode = 0;

}  // namespace

int lastSystemErrorCode() { return t_lastCode; }

void setLastSystemErrorCode(int code) { t_lastCode = code; }
