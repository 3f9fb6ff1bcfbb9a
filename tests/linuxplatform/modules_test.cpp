#include "linuxplatform/moduleaudiodevice.h"
#include "linuxplatform/modulehttpclient.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"
#include "support/testpictures.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QString built(const char* name) {
    return qEnvironmentVariable("CHIMELET_BUILD_DIR") + '/' + name;
}
// The text of what `call` raises as E, or "nothing raised".
template <typename E, typename Call> std::string failure(Call call) {
    try {
        call();
    } catch (const E& e) {
        return e.what();
    }
    return "nothing raised";
}
#define EXPECT_SAYS(text, part) EXPECT_NE((text).find(part), std::string::npos) << (text)
} // namespace

TEST(Modules, TheFirstFolderHoldingAModuleServesItsCalls) {
    TempFolder empty;
    const QStringList folders{empty.path(), qEnvironmentVariable("CHIMELET_BUILD_DIR")};
    const QString wav = empty.file("tone.wav");
    writebytes(wav, makewav(2000));

    ModuleAudioDevice audio(folders);
    EXPECT_FALSE(audio.isopen());
    audio.open(wav);
    EXPECT_TRUE(audio.isopen());
    EXPECT_EQ(audio.play(), QString());
    EXPECT_TRUE(audio.isplaying());
    audio.close();
    EXPECT_FALSE(audio.isopen());
    // The module's own refusals come through as they are.
    writebytes(wav, "RIFF junk");
    EXPECT_SAYS(failure<std::runtime_error>([&] { audio.open(wav); }),
                "Cannot open the audio file");

    LoopbackServer server;
    server.text("/t", "hello");
    ModuleHttpClient http(folders, server.start());
    EXPECT_EQ(http.gettext("/t", "x", 100), "hello");
    EXPECT_SAYS(failure<HttpError>([&] { http.gettext("/missing", "x", 100); }), "answer 404");
}

TEST(Modules, AMissingDamagedOrWrongModuleFailsLikeNoDeviceOrNoServer) {
    TempFolder dir, wrong;
    const QString wav = dir.file("tone.wav");
    writebytes(wav, makewav(100));
    writebytes(dir.file("chimelet-audio.so"), "not a library");
    ModuleAudioDevice audio({dir.path()});
    for (int attempt = 0; attempt < 2; ++attempt)
        EXPECT_SAYS(failure<std::runtime_error>([&] { audio.open(wav); }),
                    "No sound output: chimelet-audio.so cannot be loaded: ");
    EXPECT_FALSE(audio.isopen());
    EXPECT_FALSE(audio.isplaying());
    EXPECT_FALSE(audio.play().isEmpty());
    audio.stop();
    audio.close();

    ModuleHttpClient missing({dir.path()}, "http://127.0.0.1:9");
    EXPECT_EQ(missing.host(), "127.0.0.1");
    EXPECT_SAYS(failure<HttpError>([&] { missing.gettext("/t", "x", 100); }),
                "chimelet-http.so cannot be loaded: it is in none of");
    // A library without the entry point: the audio module in the HTTP module's place.
    ASSERT_TRUE(QFile::copy(built("chimelet-audio.so"), wrong.file("chimelet-http.so")));
    ModuleHttpClient mismatched({wrong.path()}, "http://127.0.0.1:9");
    EXPECT_SAYS(failure<HttpError>([&] { mismatched.download("/t", "x", 100, {}, {}); }),
                "it has no chimelet_httpclient");
}
