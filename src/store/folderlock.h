#pragma once

#include <QString>

// The lock of a data folder, held for the program's life: a second program on the same folder would
// write over the first one's records from its own stale copy. The kernel releases it when the process
// ends, however it ends.
class FolderLock {
public:
    // Takes the lock; StorageError when the folder cannot be opened, AlreadyRunning when another
    // program holds it.
    explicit FolderLock(const QString &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

private:
    int m_fd = -1;
};
