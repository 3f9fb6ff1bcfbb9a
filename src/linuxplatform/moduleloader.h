#pragma once

#include "platform/moduleentries.h"

#include <QStringList>

#include <mutex>
#include <string>

// The folders the program's modules are looked for in: beside the executable (a build), then
// the installed library folder.
QStringList modulefolders();

// One module, loaded at the first call of `entry` from the first of `folders` that holds it,
// never from the system's library path, and kept loaded for the rest of the run. A module
// that cannot be loaded is tried once: that call and every later one raise the same
// std::runtime_error, whose text names the module and says why. Any thread may call.
class ModuleLoader {
public:
    ModuleLoader(QStringList folders, ModuleEntry module);

    template <typename Function> Function entry() { return reinterpret_cast<Function>(rawentry()); }

private:
    QFunctionPointer rawentry();
    QFunctionPointer load();

    const QStringList folders_;
    const ModuleEntry module_;
    std::mutex mutex_;
    bool tried_ = false;
    QFunctionPointer entry_ = nullptr;
    std::string failure_;
};
