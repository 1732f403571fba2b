#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Whole-file writes that either replace the file with all of the new bytes or leave it as
// it was: the bytes go to a temporary file beside it, are synced, and only then renamed
// over the old one.
// The outcome of a write. Deliberately not convertible to bool, so that it cannot be
// mistaken for the plain success flag some callers used to get.
struct WriteResult {
    // Why the write failed; absent when it succeeded.
    std::optional<QString> error;

    bool ok() const { return !error.has_value(); }
};

namespace AtomicFile {

// Writes `bytes` to `path`, creating missing folders. After a failure the file at `path`
// is as it was and no temporary file is left beside it.
WriteResult write(const QString &path, const QByteArray &bytes);

} // namespace AtomicFile
