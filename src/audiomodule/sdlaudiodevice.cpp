#include "audiomodule/sdlaudiodevice.h"

#include <stdexcept>

#include <SDL.h>
#include <SDL_mixer.h>

#include <QFile>

namespace {
Mix_Music* music(void* m) {
    return static_cast<Mix_Music*>(m);
}
std::string sdlerror(const char* what) {
    const char* text = SDL_GetError();
    return std::string(what) + ": " + (text && *text ? text : "unknown error");
}
} // namespace

SdlAudioDevice::~SdlAudioDevice() {
    close();
    if (sdlinit_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioDevice::open(const QString& path) {
    close();
    if (!sdlinit_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            throw std::runtime_error(sdlerror("No sound output"));
        sdlinit_ = true;
    }
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0)
        throw std::runtime_error(sdlerror("Cannot open the sound output"));
    mixeropen_ = true;
    const QByteArray name = QFile::encodeName(path);
    music_ = Mix_LoadMUS(name.constData());
    if (!music_) {
        const std::string text = sdlerror("Cannot open the audio file");
        close();
        throw std::runtime_error(text);
    }
}

QString SdlAudioDevice::play() {
    if (!music_) return QStringLiteral("No audio file open");
    if (Mix_PlayMusic(music(music_), 0) != 0)
        return QString::fromStdString(sdlerror("Cannot play the audio file"));
    return {};
}

void SdlAudioDevice::stop() {
    if (music_) Mix_HaltMusic();
}

void SdlAudioDevice::close() {
    if (music_) {
        Mix_HaltMusic();
        Mix_FreeMusic(music(music_));
        music_ = nullptr;
    }
    if (mixeropen_) {
        Mix_CloseAudio();
        mixeropen_ = false;
    }
}

bool SdlAudioDevice::isplaying() const {
    return music_ && Mix_PlayingMusic() != 0;
}
