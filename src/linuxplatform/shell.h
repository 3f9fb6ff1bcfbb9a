#pragma once

#include "platform/shell.h"

// QDesktopServices: the desktop's default handler.
class DesktopShell : public Shell {
public:
    void brow(const QString& url) override;
    void openfile(const QString& path) override;
};
