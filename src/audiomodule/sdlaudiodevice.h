#pragma once

#include "platform/audiodevice.h"

// SDL2_mixer: the sound output is opened with the file and released with it, so an
// idle program holds no audio stream.
class SdlAudioDevice : public AudioDevice {
public:
    SdlAudioDevice() = default;
    ~SdlAudioDevice() override;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    void open(const QString& path) override;
    QString play() override;
    void stop() override;
    void close() override;
    bool isopen() const override { return music_ != nullptr; }
    bool isplaying() const override;

private:
    void* music_ = nullptr; // Mix_Music
    bool mixeropen_ = false;
    bool sdlinit_ = false;
};
