#pragma once

#include <QString>

// The sound output the program's one media player drives: one file at a time,
// opened, played once in the background, stopped and closed.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // Readies the file for playing; raises std::runtime_error with the device's text when the
    // file cannot be opened (unknown type, damaged file, no sound output).
    virtual void open(const QString& path) = 0;
    // Starts the open file from its current position; returns the device's text on
    // refusal, empty on success.
    virtual QString play() = 0;
    virtual void stop() = 0;
    // Ends playback and releases the sound output. Never raises.
    virtual void close() = 0;
    virtual bool isopen() const = 0;
    virtual bool isplaying() const = 0;
};
