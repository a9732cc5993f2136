#pragma once

// A small tmpfs mounted on a temporary folder for the life of a test, to be
// filled to the last byte: the real "No space left on device". Mounting
// needs root; where the machine does not allow it,
// mounted() is false and why() says so, for GTEST_SKIP.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

class FullFileSystem {
public:
    FullFileSystem()
    {
        const QByteArray where = QFile::encodeName(dir_.path());
        if (!dir_.isValid())
            why_ = QStringLiteral("no temporary folder");
        else if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
            why_ = QStringLiteral("cannot mount a 64 KiB tmpfs here: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        else
            mounted_ = true;
    }
    ~FullFileSystem()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    QString why() const { return why_; }
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // Writes `bytes` as the file `name` while there is room.
    bool put(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    }

    // Takes every byte left with a filler file; true once the system said
    // "No space left on device".
    bool fill() const
    {
        const int fd = ::open(QFile::encodeName(path("filler")).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            return false;
        char block[4096] = {};
        int error = 0;
        for (size_t size = sizeof block; size > 0; size /= 2) {
            while (::write(fd, block, size) == ssize_t(size)) {
            }
            error = errno;
        }
        ::close(fd);
        return error == ENOSPC;
    }

    // The files in the folder: a failed save must leave no temporary file.
    QStringList entries() const
    {
        return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString why_;
};
