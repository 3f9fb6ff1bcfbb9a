#include "present/mediaplayer.h"

#include "platform/audiodevice.h"
#include "store/ioerror.h"

void MediaPlayer::Open() {
    Close();
    try {
        device_.open(FileName);
    } catch (const std::exception& e) {
        throw IoError(e.what());
    }
}

void MediaPlayer::Play() {
    if (!device_.isopen()) throw IoError(kNotOpen);
    Error = device_.play();
}

void MediaPlayer::Stop() {
    if (!device_.isopen()) throw IoError(kNotOpen);
    device_.stop();
}

void MediaPlayer::Close() noexcept {
    try {
        device_.close();
    } catch (...) {
    }
}

bool MediaPlayer::isopen() const {
    return device_.isopen();
}
bool MediaPlayer::isplaying() const {
    return device_.isplaying();
}
