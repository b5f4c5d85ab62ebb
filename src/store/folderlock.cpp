#include "store/folderlock.h"

#include "store/disk.h"
#include "store/errors.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock::FolderLock(const QString &folder) {
    m_fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        throw StorageError(QStringLiteral("Priečinok %1 sa nedá otvoriť (%2).").arg(folder, disk::errorText(errno)));
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const int code = errno;
        ::close(m_fd);
        m_fd = -1;
        if (code == EWOULDBLOCK)
            throw AlreadyRunning(QStringLiteral("Program už beží nad týmito údajmi."));
        throw StorageError(QStringLiteral("Priečinok %1 sa nedá zamknúť (%2).").arg(folder, disk::errorText(code)));
    }
}

FolderLock::~FolderLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}
