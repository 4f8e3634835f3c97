#include "screens/ScoreServer.h"
#include "screens/BitCodec.h"
#include <cctype>
#include <fstream>

namespace {

bool HostChar(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '.' || ch == '-' || ch == '_';
}

bool ValidPort(std::string_view port) {
    if (port.empty() || port.size() > 5) return false;
    for (char ch : port)
        if (ch < '0' || ch > '9') return false;
    const auto value = BitCodec::ParseDecimal(port);
    return value && *value >= 1 && *value <= 65535;
}

} // namespace

std::string TScoreServer::Url(std::string_view pathAndQuery) const {
    return "http://" + Address + std::string(pathAndQuery);
}

std::optional<std::string> ParseServerAddress(std::string_view text) {
    text = text.substr(0, text.find('\n'));
    auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.empty() || text.size() > 255) return std::nullopt;

    std::string_view host = text, port;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos || close == 1) return std::nullopt;
        for (char ch : text.substr(1, close - 1))
            if (!(ch == ':' || ch == '.' || std::isxdigit(static_cast<unsigned char>(ch))))
                return std::nullopt;
        host = text.substr(0, close + 1);
        std::string_view rest = text.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':') return std::nullopt;
            port = rest.substr(1);
            if (!ValidPort(port)) return std::nullopt;
        }
        return std::string(text);
    }
    const size_t colon = text.find(':');
    if (colon != std::string_view::npos) {
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (!ValidPort(port)) return std::nullopt;
    }
    if (host.empty()) return std::nullopt;
    for (char ch : host)
        if (!HostChar(ch)) return std::nullopt;
    return std::string(text);
}

TScoreServer LoadScoreServer(const std::string& path) {
    TScoreServer server;
    std::ifstream file(path, std::ios::binary);
    if (!file) return server;
    std::string line;
    std::getline(file, line);
    if (auto address = ParseServerAddress(line)) server.Address = *address;
    return server;
}
