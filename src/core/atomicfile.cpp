#include "core/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace AtomicFile {

WriteResult write(const QString &path, const QByteArray &bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return {QCoreApplication::translate("AtomicFile", "cannot create the folder %1").arg(folder)};

    QSaveFile file(path);
    // Unbuffered: with a write buffer, an error raised when the buffer is flushed inside
    // commit() can go unnoticed, and commit() would then rename a short or empty file over
    // the good one (seen with a full disk).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {file.errorString()};
    const qint64 written = file.write(bytes);
    if (written != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString error = file.error() != QFileDevice::NoError
                                  ? file.errorString()
                                  : QCoreApplication::translate("AtomicFile", "short write");
        file.cancelWriting();
        return {error};
    }
    if (!file.commit())
        return {file.errorString()};
    return {};
}

} // namespace AtomicFile
