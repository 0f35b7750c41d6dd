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

// The file a replacement of `target` takes the place of: `target` itself, or the file a symbolic
// link there points to.
QString strFunReplacedFile(QString target);

// The same replacement for a file the caller writes itself: first a new, empty file beside
// `target` (a link as target is followed), created exclusively so that nothing already there is
// reused; its path goes to `temporaryPath`.
bool bFunCreateTemporaryBeside(QString target, QString& temporaryPath);

// Then, once the caller has written and closed it, the temporary file takes the target's place
// with the target's permissions, flushed to the disk first. On failure the temporary file is
// removed and the target is exactly as it was; lastSystemErrorCode() says why.
bool bFunMoveOverSafely(QString temporary, QString target);
