// A small HTTP server on 127.0.0.1 for the download tests, on threads of its
// own: each path answers with a fixed response (a body, a status, an announced
// length that may be a lie, a delay, a place to go instead, or a large body
// made on the fly), and any other path with 404.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tovabel::wintest {

class HttpServer {
public:
    struct Response {
        int status = 200;
        std::vector<std::uint8_t> body;
        // Content-Length as sent; by default the body's size. Larger than the
        // body: the connection closes early. With `announce` false there is none
        // and the body ends when the connection closes.
        std::optional<std::size_t> length;
        bool announce = true;
        std::chrono::milliseconds delay{0}; // before the answer; cut short when the server stops
        std::size_t generated = 0;          // a body of this many bytes instead
        std::string location;               // sent as the Location header when not empty
    };

    // Listens on a free port; Port() is 0 when that failed.
    HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;
    // Stops listening and waits for the connections being answered.
    ~HttpServer();

    void Serve(const std::string& path, Response response);
    std::uint16_t Port() const { return mPort; }
    // "http://127.0.0.1:port" followed by `path`.
    std::wstring Url(const std::string& path) const;
    // Body bytes sent for `path` so far.
    std::size_t Sent(const std::string& path) const;

    // A port of 127.0.0.1 where nothing listens: connections are refused.
    static std::uint16_t ClosedPort();

private:
    void Accept();
    void Answer(std::uintptr_t connection);
    void Count(const std::string& path, std::size_t bytes);

    std::uintptr_t mListener;
    std::uint16_t mPort = 0;
    mutable std::mutex mMutex;
    std::condition_variable mStopping;
    bool mStopped = false;
    std::map<std::string, Response> mResponses;
    std::map<std::string, std::size_t> mSent;
    std::vector<std::thread> mAnswering;
    std::thread mAccepting;
};

} // namespace tovabel::wintest
