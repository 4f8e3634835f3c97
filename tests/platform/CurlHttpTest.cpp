#include "platform/curl/CurlHttp.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screens/OnlineScores.h"
#include "screens/ScoreServer.h"
#include "shell/GameState.h"
#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A one-thread HTTP server on a free loopback port: answers every request with the next
// scripted body (or stays silent), and records the request targets.
class LoopbackServer {
public:
    explicit LoopbackServer(std::vector<std::string> bodies, bool silent = false)
        : bodies_(std::move(bodies)), silent_(silent) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        EXPECT_EQ(::listen(listener_, 4), 0);
        socklen_t len = sizeof addr;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::vector<std::string> Targets() {
        std::lock_guard lock(mutex_);
        return targets_;
    }

private:
    bool WaitReadable(int fd) {
        while (!stop_) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) > 0) return true;
        }
        return false;
    }
    void Serve() {
        size_t next = 0;
        while (WaitReadable(listener_)) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos && WaitReadable(client)) {
                const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n <= 0) break;
                request.append(buffer, size_t(n));
            }
            {
                std::lock_guard lock(mutex_);
                const size_t start = request.find(' ') + 1;
                targets_.push_back(request.substr(start, request.find(' ', start) - start));
            }
            if (silent_) {
                WaitReadable(-1); // say nothing until the test is over
            } else {
                const std::string body = next < bodies_.size() ? bodies_[next++] : "";
                const std::string reply =
                    "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                    "\r\nConnection: close\r\n\r\n" + body;
                ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
            }
            ::close(client);
        }
    }

    std::vector<std::string> bodies_;
    bool silent_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> targets_;
    std::thread thread_;
};

int UnusedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd); // nobody listens there now
    return ntohs(addr.sin_port);
}

} // namespace

TEST(CurlHttpTest, GetReturnsStatusAndBody) {
    LoopbackServer server({"hello there"});
    platform::curl::CurlHttp http;
    const auto r = http.Get("http://" + server.Address() + "/a/b?c&d=1", {1000, 3000});
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, "hello there");
    EXPECT_EQ(server.Targets(), (std::vector<std::string>{"/a/b?c&d=1"}));
}

TEST(CurlHttpTest, FailuresGiveNoAnswer) {
    platform::curl::CurlHttp http;
    {
        const auto r =
            http.Get("http://127.0.0.1:" + std::to_string(UnusedPort()) + "/", {500, 1000});
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.error.empty());
    }
    {
        // A server that takes the request and never answers: the total time-out ends it.
        LoopbackServer silent({}, true);
        const auto r = http.Get("http://" + silent.Address() + "/", {500, 300});
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.body.empty());
    }
    {
        const auto r = http.Get("ftp://127.0.0.1/", {500, 1000}); // only http is spoken
        EXPECT_FALSE(r.ok);
    }
}

TEST(CurlHttpTest, ScoreSubmissionOverTheWire) {
    LoopbackServer server({"OK|1|2|3|tok|6", "thanks"});
    platform::curl::CurlHttp http;
    platform::headless::RecordingMessageBox box;
    TScoreServer where;
    where.Address = server.Address();
    where.Timeouts = {1000, 3000};
    TGameState s;
    s.PlayerName = "Ann Lee";
    s.SetScore(900);
    EXPECT_TRUE(OnlineScores::SubmitScore(http, box, where, s));
    EXPECT_TRUE(box.shown.empty());
    const std::string report = OnlineScores::BuildReport(s, "tok");
    EXPECT_EQ(server.Targets(), (std::vector<std::string>{"/cgi/version.pl?version&prg=Kelvora",
                                                          "/cgi/version.pl?hs&prg=Kelvora&inf=" +
                                                              OnlineScores::EncodeReport(report)}));
}
