#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <optional>

#include <sys/mount.h>

// A real, small file system that can be filled up: a tmpfs mounted on a temporary folder
// for the life of the object. Mounting needs root (or CAP_SYS_ADMIN); without it,
// mountError() says why and the test skips.
class FullDisk
{
public:
    explicit FullDisk(const char *size = "size=64k")
    {
        const QByteArray path = QFile::encodeName(m_dir.path());
        if (::mount("tmpfs", path.constData(), "tmpfs", 0, size) == 0)
            m_mounted = true;
        else
            m_error = QString::fromLocal8Bit(std::strerror(errno));
    }

    ~FullDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }

    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    std::optional<QString> mountError() const { return m_error; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Writes a filler file until the file system refuses more.
    void fill()
    {
        QFile filler(fillerPath());
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

    void release() { QFile::remove(fillerPath()); }

    QString fillerPath() const { return m_dir.filePath(QStringLiteral("filler")); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    std::optional<QString> m_error;
};
