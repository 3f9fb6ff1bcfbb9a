#include "audiomodule/sdlaudiodevice.h"
#include "platform/moduleentries.h"

AudioDevice* chimelet_audiodevice() {
    return new SdlAudioDevice;
}
