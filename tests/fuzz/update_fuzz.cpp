// The update server's answers as the update window reads them: the release number,
// the news text, and what it says of a download (its type and file name). The input
// holds the four answers one after the other, each ended by a zero byte.
#include "fuzzfiles.h"

#include "store/integertext.h"
#include "update/updatecheck.h"

#include <QList>

namespace {
class AnsweringServer : public HttpClient {
public:
    explicit AnsweringServer(const QList<QByteArray>& answers) : answers_(answers) {}
    std::string host() const override { return "updates.invalid"; }
    std::string gettext(const std::string& path, const std::string&, std::size_t limit) override {
        const std::string body = answer(path.find("cur.dat") != std::string::npos ? 0 : 1);
        // The real client refuses a longer body the same way.
        if (body.size() > limit) throw HttpError("the answer is too long");
        return body;
    }
    HttpFileInfo download(const std::string&, const std::string&, std::size_t, const Receiver&,
                          const Progress&) override {
        return {answer(2), answer(3)};
    }

private:
    std::string answer(qsizetype i) const {
        return i < answers_.size() ? answers_[i].toStdString() : std::string();
    }
    QList<QByteArray> answers_;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    AnsweringServer server(fuzzbytes(data, size).split('\0'));
    try {
        (void)checkforupdates(server);
    } catch (const ConversionError&) {
        // Not a number: the window says so in a message box.
    }
    (void)releasenews(server);
    (void)installername(server.download({}, {}, 0, {}, {}));
    return 0;
}
