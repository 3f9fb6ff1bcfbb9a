#pragma once

#include <QString>

// The editor's two file pickers: what they offer and which choices a Notification can keep.

inline constexpr const char* kImageFilter =
    "All (*.jpg *.jpeg *.bmp *.wmf);;JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;"
    "Bitmaps (*.bmp);;Metafiles (*.wmf)";
inline constexpr const char* kAudioFilter =
    "All (*.wav *.mp3 *.m3u);;Wave Files (*.wav);;MP3 Files (*.mp3 *.m3u)";

// A path the record can hold unchanged: at most 255 bytes in its stored form. A longer
// one would be stored cut and point nowhere.
bool storablepath(const QString& path);

// An existing file whose path the record can hold.
bool choosablefile(const QString& path);

// A choosable file that the picture conversion takes by its ending: jpg, jpeg, bmp or
// wmf in any letter case.
bool choosableimage(const QString& path);
