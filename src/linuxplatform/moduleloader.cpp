#include "linuxplatform/moduleloader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <stdexcept>

QStringList modulefolders() {
    const QString exe = QCoreApplication::applicationDirPath();
    return {exe, QDir::cleanPath(exe + QLatin1Char('/') + QLatin1String(CHIMELET_MODULE_FROM_BIN))};
}

ModuleLoader::ModuleLoader(QStringList folders, ModuleEntry module)
    : folders_(std::move(folders)), module_(module) {}

QFunctionPointer ModuleLoader::rawentry() {
    const std::lock_guard lock(mutex_);
    if (!tried_) {
        tried_ = true;
        try {
            entry_ = load();
        } catch (const std::runtime_error& e) {
            failure_ = e.what();
            // The callers take a missing module for a missing device or server; say why once.
            qWarning("%s", e.what());
        }
    }
    if (!entry_) throw std::runtime_error(failure_);
    return entry_;
}

QFunctionPointer ModuleLoader::load() {
    const QString file = QLatin1String(module_.file) + QLatin1String(".so");
    const auto fail = [&](const QString& why) {
        return std::runtime_error(
            (file + QLatin1String(" cannot be loaded: ") + why).toStdString());
    };
    for (const QString& folder : folders_) {
        const QString path = QDir(folder).filePath(file);
        if (!QFileInfo::exists(path)) continue;
        // Never unloaded: what the module made may live until the program ends.
        QLibrary library(path);
        if (!library.load()) throw fail(library.errorString());
        if (const QFunctionPointer f = library.resolve(module_.function)) return f;
        throw fail(QLatin1String("it has no ") + QLatin1String(module_.function));
    }
    throw fail(QLatin1String("it is in none of ") + folders_.join(QLatin1String(", ")));
}
