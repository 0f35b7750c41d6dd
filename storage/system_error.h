#pragma once

// The code of the last failed file-system call of this thread (an errno value here), kept for
// the "Kod błędu: " part of the messages the callers compose.
int lastSystemErrorCode();
void setLastSystemErrorCode(int code);
