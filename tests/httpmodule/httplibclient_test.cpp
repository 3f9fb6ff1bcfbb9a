#include "httpmodule/httplibclient.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {
HttplibClient::Settings quick() {
    return {300ms, 300ms, {}};
}
} // namespace

TEST(HttplibClient, GetsTextWithItsUserAgentAndNothingButA200) {
    LoopbackServer server;
    std::string agent;
    server.server().Get("/a", [&](const httplib::Request& req, httplib::Response& res) {
        agent = req.get_header_value("User-Agent");
        res.set_content("Hello", "text/plain");
    });
    server.server().Get(
        "/moved", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/a"); });
    HttplibClient client(server.start(), quick());

    EXPECT_EQ(client.gettext("/a", "Agent X", 100), "Hello");
    EXPECT_EQ(agent, "Agent X");
    agent.clear();
    EXPECT_THROW(client.gettext("/moved", "x", 100), HttpError);
    EXPECT_TRUE(agent.empty()); // the redirect was not followed
    EXPECT_THROW(client.gettext("/missing", "x", 100), HttpError);
    EXPECT_THROW(client.gettext("/a", "x", 4), HttpError); // longer than allowed
    EXPECT_THROW(HttplibClient("ftp://127.0.0.1").gettext("/a", "x", 100), HttpError);
}

// An answer of exactly the limit is taken and one byte more refused, whether its length
// is announced or it comes in chunks of unknown sum.
TEST(HttplibClient, AnAnswerOfTheLimitIsTakenAndOneByteMoreIsRefused) {
    LoopbackServer server;
    server.text("/told", "Hello");
    server.server().Get("/chunked", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain",
                                         [](std::size_t offset, httplib::DataSink& s) {
                                             if (offset == 0) return s.write("Hel", 3);
                                             if (offset == 3) return s.write("lo", 2);
                                             s.done();
                                             return true;
                                         });
    });
    HttplibClient client(server.start(), quick());
    for (const char* path : {"/told", "/chunked"}) {
        EXPECT_EQ(client.gettext(path, "x", 5), "Hello") << path;
        EXPECT_THROW(client.gettext(path, "x", 4), HttpError) << path;
    }
}

// A peer that answers with header lines and never ends them.
TEST(HttplibClient, EndlessHeadersEndAtTheDeadline) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t len = sizeof addr;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), len), 0);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
    ::listen(listener, 1);
    std::atomic<bool> done = false;
    std::thread peer([listener, &done] {
        const int s = ::accept(listener, nullptr, nullptr);
        const timeval wait{0, 100'000};
        ::setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
        const std::string head = "HTTP/1.1 200 OK\r\n", line = "X-Filler: 0123456789abcdef\r\n";
        ::send(s, head.data(), head.size(), MSG_NOSIGNAL);
        while (!done)
            ::send(s, line.data(), line.size(), MSG_NOSIGNAL);
        ::close(s);
    });
    HttplibClient client("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)), quick());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(client.gettext("/", "x", 100), HttpError);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    done = true;
    peer.join();
    ::close(listener);
}

TEST(HttplibClient, HttpsTrustsOnlyVerifiedCertificates) {
    TempFolder tmp;
    const QString cert = tmp.file("cert.pem"), key = tmp.file("key.pem");
    QProcess openssl;
    openssl.start("openssl",
                  {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                   "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                   "subjectAltName=IP:127.0.0.1", "-keyout", key, "-out", cert});
    ASSERT_TRUE(openssl.waitForFinished() && openssl.exitCode() == 0);
    LoopbackServer server(std::make_unique<httplib::SSLServer>(cert.toLocal8Bit().constData(),
                                                               key.toLocal8Bit().constData()));
    server.text("/t", "secure");
    const std::string url = server.start("https");

    EXPECT_THROW(HttplibClient(url, quick()).gettext("/t", "x", 100), HttpError);
    EXPECT_EQ(HttplibClient(url, {300ms, 300ms, cert.toStdString()}).gettext("/t", "x", 100),
              "secure");
}
