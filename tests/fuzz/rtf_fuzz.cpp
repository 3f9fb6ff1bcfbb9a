// The help viewer's rich text reader fed any bytes.
#include "fuzzfiles.h"

#include "readers/rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Fonts and colours need a GUI application (offscreen in the tests).
    static int argc = 1;
    static char name[] = "rtf_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    const QByteArray bytes = fuzzbytes(data, size);
    QTextDocument doc;
    if (isrtf(bytes)) readrtf(bytes, doc);
    return 0;
}
