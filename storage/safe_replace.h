#pragma once

#include <QString>

// Replaces `target` by a copy of `source` so that the target is never half-written: the copy
// goes to a new file beside the target (same directory, hence same file system), is flushed to
// the disk and only then renamed over the target. A target that existed keeps its permissions
// (made writable for the owner); a new one gets the usual defaults. A symbolic link as target is
// followed, so the file it points to is replaced, not the link.
//
// On failure the target is exactly as it was, the temporary file is gone and
// lastSystemErrorCode() holds the code of the failing step. Writes no message: the callers
// compose their own.
bool bFunReplaceFileSafely(QString source, QString target);
