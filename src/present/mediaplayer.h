#pragma once

#include <QString>

class AudioDevice;

// The program's one media player: a file name, and a device that is closed or open
// on that file. Play returns at once; the sound runs in the background to its end.
class MediaPlayer {
public:
    static constexpr const char* kNotOpen = "No MCI device open";

    explicit MediaPlayer(AudioDevice& device) : device_(device) {}

    QString FileName;

    // Opens FileName, closing first what is open; raises IoError with the device's text.
    void Open();
    // Plays from the start of an open file. A refusal is kept in Error, not raised.
    void Play();
    // Raises IoError "No MCI device open" when closed.
    void Stop();
    // Never raises.
    void Close() noexcept;

    bool isopen() const;
    bool isplaying() const;
    // The device's text for the last refused Play; empty when it played.
    QString Error;

private:
    AudioDevice& device_;
};
