#pragma once

#include <QString>

// Opening web addresses and documents with the user's default handler.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void brow(const QString& url) = 0;
    // Hands a local file to the desktop's handler for its type.
    virtual void openfile(const QString& path) = 0;
};
