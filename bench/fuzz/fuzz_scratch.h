#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzz targets' private folder: made once per process in memory-backed storage where there
// is some (each input becomes a file, and the error log writes a row for most of them), with the
// program's data folder pointed inside it so nothing reaches the user's own. Removed when the
// process exits, or by the next run when a crash ended it.
class FuzzScratch {
public:
    static FuzzScratch& instance();

    // A path inside the folder.
    QString path(const char* name) const;
    // Writes the input to `path`; false when it could not be written whole.
    bool write(const QString& path, const uint8_t* data, size_t size) const;
    // Removes every file the run left in the folder, the data folder's log included, so each
    // input starts from the same state.
    void clear() const;

private:
    FuzzScratch();
    QString m_root;
};
