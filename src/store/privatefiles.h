#pragma once

#include <QFileDevice>
#include <QString>

// The program's files hold the user's reminders: nobody else may read them.

// Read and write for the owner only: the stores and the lock, whatever the umask.
inline constexpr QFileDevice::Permissions kOwnerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// What a new file the user will see gets: read and write for the owner, less what the
// umask takes away where it is stricter.
QFileDevice::Permissions newfilepermissions();

// Makes `path` (and its missing parents) and leaves it a folder only its owner can
// enter; false when it cannot be made or is no folder.
bool makeprivatefolder(const QString& path);
