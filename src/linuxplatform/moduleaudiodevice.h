#pragma once

#include "linuxplatform/moduleloader.h"
#include "platform/audiodevice.h"

#include <memory>

// The sound output of the audio module, loaded at the first open. Without the module, open
// fails as it does when the system has no sound output.
class ModuleAudioDevice : public AudioDevice {
public:
    explicit ModuleAudioDevice(QStringList folders);
    ~ModuleAudioDevice() override;

    void open(const QString& path) override;
    QString play() override;
    void stop() override;
    void close() override;
    bool isopen() const override;
    bool isplaying() const override;

private:
    ModuleLoader loader_;
    std::unique_ptr<AudioDevice> device_;
};
