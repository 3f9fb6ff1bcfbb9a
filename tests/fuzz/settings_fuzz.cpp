// The settings store opened from any bytes.
#include "fuzzfiles.h"

#include "store/secure.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    SettingsStore store;
    if (!store.opensettings(fuzzfile("chsb.rez", data, size))) return 0;
    (void)store.defaultfile();
    try {
        for (int32_t i = 0; i < 4; ++i)
            (void)SettingsStore::plaintext(store.readsetting(i).Text);
    } catch (const std::exception&) {
        // Fewer records than the program keeps: refused with IoError.
    }
    store.close();
    return 0;
}
