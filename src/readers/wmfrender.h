#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>

// A Windows metafile drawn at its own size in a child process with a time and a
// memory limit, so a damaged file cannot block or exhaust the program. The child
// is the helper executable beside the program; failures raise IoError naming `source`.
QImage renderwmf(const QByteArray& bytes, const QString& source);

// The helper's file name, installed beside the program's executable.
inline constexpr const char* kMetafileHelperName = "chimelet-wmf";

// Where the helper is; by default beside the running executable.
void setmetafilehelper(const QString& path);
QString metafilehelper();

// The limits the helper runs under: processor time, and address space enough for the
// libraries, libwmf's canvas and the largest picture, twice.
inline constexpr int kMetafileCpuSeconds = 1;
inline constexpr int64_t kMetafileMemoryBytes = 1024LL * 1024 * 1024;

// What the helper writes to standard output: this head, then the picture's RGB32 lines.
struct MetafileImageHead {
    int32_t width = 0;
    int32_t height = 0;
};
