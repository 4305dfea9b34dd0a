#include <winsock2.h>
#include <ws2tcpip.h>

#include "http_server.h"

#include <algorithm>

namespace tovabel::wintest {

namespace {

constexpr std::size_t kLongestRequest = 1u << 20;
constexpr std::size_t kPiece = 64u << 10;

// A socket of 127.0.0.1 bound to a free port (Winsock starts once, for the process).
SOCKET BoundSocket(std::uint16_t& port) {
    static WSADATA winsock{};
    static const int started = WSAStartup(MAKEWORD(2, 2), &winsock);
    (void)started;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (s == INVALID_SOCKET ||
        bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        port = 0;
        return s;
    }
    port = ntohs(address.sin_port);
    return s;
}

bool SendAll(SOCKET s, const char* data, std::size_t size) {
    while (size > 0) {
        const int sent = send(s, data, static_cast<int>(std::min(size, kPiece)), 0);
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

// The path of a request's first line ("GET /path HTTP/1.1"); empty when
// the request did not arrive whole.
std::string RequestedPath(SOCKET s) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < kLongestRequest) {
        const int got = recv(s, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return {};
        }
        request.append(buffer, static_cast<std::size_t>(got));
    }
    const std::size_t start = request.find(' ');
    const std::size_t end = request.find(' ', start + 1);
    if (start == std::string::npos || end == std::string::npos) {
        return {};
    }
    return request.substr(start + 1, end - start - 1);
}

} // namespace

HttpServer::HttpServer() {
    SOCKET s = BoundSocket(mPort);
    mListener = s;
    if (mPort == 0 || listen(s, SOMAXCONN) != 0) {
        mPort = 0;
        return;
    }
    mAccepting = std::thread([this] { Accept(); });
}

HttpServer::~HttpServer() {
    {
        const std::lock_guard<std::mutex> lock(mMutex);
        mStopped = true;
    }
    mStopping.notify_all();                      // ends the delays
    closesocket(static_cast<SOCKET>(mListener)); // ends the accepting loop
    if (mAccepting.joinable()) {
        mAccepting.join();
    }
    for (std::thread& answer : mAnswering) {
        answer.join();
    }
}

void HttpServer::Serve(const std::string& path, Response response) {
    const std::lock_guard<std::mutex> lock(mMutex);
    mResponses[path] = std::move(response);
}

std::wstring HttpServer::Url(const std::string& path) const {
    const std::string url = "http://127.0.0.1:" + std::to_string(mPort) + path;
    return std::wstring(url.begin(), url.end());
}

std::size_t HttpServer::Sent(const std::string& path) const {
    const std::lock_guard<std::mutex> lock(mMutex);
    const auto found = mSent.find(path);
    return found == mSent.end() ? 0 : found->second;
}

std::uint16_t HttpServer::ClosedPort() {
    std::uint16_t port = 0;
    closesocket(BoundSocket(port)); // bound, never listening, then given back
    return port;
}

void HttpServer::Accept() {
    for (;;) {
        const SOCKET connection = accept(static_cast<SOCKET>(mListener), nullptr, nullptr);
        if (connection == INVALID_SOCKET) {
            return;
        }
        mAnswering.emplace_back([this, connection] { Answer(connection); });
    }
}

void HttpServer::Count(const std::string& path, std::size_t bytes) {
    const std::lock_guard<std::mutex> lock(mMutex);
    mSent[path] += bytes;
}

void HttpServer::Answer(std::uintptr_t socketHandle) {
    const auto s = static_cast<SOCKET>(socketHandle);
    const std::string path = RequestedPath(s);
    Response response; // any other path: 404
    response.status = 404;
    {
        std::unique_lock<std::mutex> lock(mMutex);
        if (const auto found = mResponses.find(path); found != mResponses.end()) {
            response = found->second;
        }
        mStopping.wait_for(lock, response.delay, [this] { return mStopped; });
    }
    const std::size_t size = response.generated > 0 ? response.generated : response.body.size();
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " Answer\r\n";
    if (!response.location.empty()) {
        head += "Location: " + response.location + "\r\n";
    }
    if (response.announce) {
        head += "Content-Length: " + std::to_string(response.length.value_or(size)) + "\r\n";
    }
    head += "Content-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
    bool open = SendAll(s, head.data(), head.size());
    if (response.generated == 0) {
        open = open && SendAll(s, reinterpret_cast<const char*>(response.body.data()), size);
        Count(path, open ? size : 0);
    }
    const std::vector<char> piece(kPiece, 'x');
    for (std::size_t left = response.generated; open && left > 0;) {
        const std::size_t now = std::min(left, piece.size());
        open = SendAll(s, piece.data(), now);
        Count(path, open ? now : 0);
        left -= now;
    }
    shutdown(s, SD_SEND);
    closesocket(s);
}

} // namespace tovabel::wintest
