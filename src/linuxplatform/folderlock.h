#pragma once

#include <QByteArray>
#include <QString>

// The lock of one data folder: an open-file lock on a file in it, held for the life of
// the process and let go by the system when the process ends however it ends, so a
// crash leaves no lock behind. The file is the owner's alone and says where its holder
// listens. Any process of the user can ask whether it is held without taking it.
class FolderLock {
public:
    explicit FolderLock(const QString& path) : path_(path) {}
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    const QString& path() const { return path_; }
    // Takes the lock; true when this process holds it (again: true).
    bool take();
    bool held() const { return fd_ >= 0; }
    // Whether any process holds the lock, without taking it; false when no lock file is.
    bool takenbyany() const;
    // The holder writes what a later process needs to reach it; others read it.
    void publish(const QByteArray& text);
    QByteArray published() const;

    static constexpr qint64 kMaxText = 4096;

private:
    QString path_;
    int fd_ = -1;
};
