#pragma once

#include <QString>

// The entry that starts the program with the user's desktop session.
class Autostart {
public:
    virtual ~Autostart() = default;
    // Writes an entry that starts `program` in its own folder and returns the entry's
    // path. The path comes back also when the entry could not be written.
    virtual QString create(const QString& program) = 0;
    virtual bool exists(const QString& entry) const = 0;
    // Removes the entry at `entry`; nothing there is no error.
    virtual void remove(const QString& entry) = 0;
};
