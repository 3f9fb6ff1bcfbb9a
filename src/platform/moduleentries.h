#pragma once

class AudioDevice;
class HttpClient;

// Realisations built as modules of their own, which the program loads when it first needs
// them, so their libraries stay out of a program that never plays a sound or asks for an
// update. Each module defines its one entry point with C linkage; the caller owns what it
// returns.
extern "C" {
// The sound output.
AudioDevice* chimelet_audiodevice();
// A client of the server at `url` (scheme, host and optional port).
HttpClient* chimelet_httpclient(const char* url);
}

// A module's file name (without ".so") and its entry point's name.
struct ModuleEntry {
    const char* file;
    const char* function;
};
inline constexpr ModuleEntry kAudioModule{"chimelet-audio", "chimelet_audiodevice"};
inline constexpr ModuleEntry kHttpModule{"chimelet-http", "chimelet_httpclient"};
