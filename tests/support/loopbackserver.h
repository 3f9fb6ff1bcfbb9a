#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

// A real HTTP(S) server on 127.0.0.1 with a port of its own, answering on its own thread.
class LoopbackServer {
public:
    explicit LoopbackServer(
        std::unique_ptr<httplib::Server> server = std::make_unique<httplib::Server>())
        : server_(std::move(server)) {}
    ~LoopbackServer() { stop(); }

    httplib::Server& server() { return *server_; }

    // Starts answering; returns "<scheme>://127.0.0.1:<port>".
    std::string start(const std::string& scheme = "http") {
        const int port = server_->bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_->listen_after_bind(); });
        return scheme + "://127.0.0.1:" + std::to_string(port);
    }
    void stop() {
        stopping = true;
        server_->stop();
        if (thread_.joinable()) thread_.join();
    }

    // Serves `body` at `path`.
    void text(const std::string& path, const std::string& body) {
        server_->Get(path, [body](const httplib::Request&, httplib::Response& res) {
            res.set_content(body, "text/plain");
        });
    }

    // Serves `size` bytes at `path` in `pieces` pieces, `pause` apart. After `cutat` bytes
    // it drops the connection or, while `stall` is set, goes silent until stopped.
    void file(const std::string& path, std::size_t size, int pieces,
              std::chrono::milliseconds pause, std::size_t cutat = SIZE_MAX,
              const std::string& type = "application/vnd.debian.binary-package") {
        server_->Get(path, [=, this](const httplib::Request&, httplib::Response& res) {
            res.set_content_provider(
                size, type, [=, this](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    if (offset >= cutat) {
                        while (stall && !stopping)
                            std::this_thread::sleep_for(std::chrono::milliseconds(10));
                        return false;
                    }
                    const std::size_t piece = (size + pieces - 1) / pieces;
                    const std::string bytes(std::min({piece, size - offset, cutat - offset}),
                                            char('a' + offset % 26));
                    std::this_thread::sleep_for(pause);
                    return !stopping && sink.write(bytes.data(), bytes.size());
                });
        });
    }

    std::atomic<bool> stopping{false};
    std::atomic<bool> stall{false};

private:
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
};
