#pragma once

#include <QString>

// The editor's two file pickers: what they offer and which choices a Notification can keep.

// JPEG, bitmaps and metafiles, then one filter for each other picture type Qt reads.
QString imagefilter();
inline constexpr const char* kAudioFilter =
    "All (*.wav; *.mp3; *.m3u);;Wave Files (*.wav);;MP3 Files (*.mp3; *.m3u)";

// A path the record can hold unchanged: at most 255 bytes in its stored form. A longer
// one would be stored cut and point nowhere.
bool storablepath(const QString& path);

// An existing file whose path the record can hold.
bool choosablefile(const QString& path);

// A choosable file that the picture conversion takes by its ending: jpg, jpeg, bmp,
// wmf or another picture type the image filter offers, in any letter case.
bool choosableimage(const QString& path);
