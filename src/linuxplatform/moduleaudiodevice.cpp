#include "linuxplatform/moduleaudiodevice.h"

#include <stdexcept>

ModuleAudioDevice::ModuleAudioDevice(QStringList folders)
    : loader_(std::move(folders), kAudioModule) {}

ModuleAudioDevice::~ModuleAudioDevice() = default;

void ModuleAudioDevice::open(const QString& path) {
    if (!device_) {
        try {
            device_.reset(loader_.entry<decltype(&chimelet_audiodevice)>()());
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(std::string("No sound output: ") + e.what());
        }
    }
    device_->open(path);
}

QString ModuleAudioDevice::play() {
    return device_ ? device_->play() : QStringLiteral("No audio file open");
}

void ModuleAudioDevice::stop() {
    if (device_) device_->stop();
}

void ModuleAudioDevice::close() {
    if (device_) device_->close();
}

bool ModuleAudioDevice::isopen() const {
    return device_ && device_->isopen();
}

bool ModuleAudioDevice::isplaying() const {
    return device_ && device_->isplaying();
}
