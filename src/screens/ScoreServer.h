#pragma once
#include "platform/Http.h"
#include <optional>
#include <string>
#include <string_view>

// Where the score server is. The host is a setting of the installation: the first line of
// "server.ini" in the working directory, "host" or "host:port" (a name, an IPv4 address or a
// bracketed IPv6 address). Without the file, or with a line that is not an address, the
// server is looked for on this machine.
struct TScoreServer {
    static constexpr const char* DefaultAddress = "127.0.0.1:8080";
    static constexpr const char* FileName = "server.ini";

    std::string Address = DefaultAddress;
    platform::HttpTimeouts Timeouts;

    // "http://" + Address + pathAndQuery.
    std::string Url(std::string_view pathAndQuery) const;
};

// The address on the first line of a server.ini text (surrounding spaces, tabs and a CR are
// ignored); nothing when it is not one.
std::optional<std::string> ParseServerAddress(std::string_view fileText);
// The server named by the file at path, or the default one.
TScoreServer LoadScoreServer(const std::string& path = TScoreServer::FileName);
