#pragma once

#include <QString>

// Opening web addresses and documents with the user's default handler.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void brow(const QString& url) = 0;
};
