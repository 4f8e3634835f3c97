#include "screens/OnlineScores.h"
#include "platform/Desktop.h"
#include "platform/Http.h"
#include "screens/BitCodec.h"
#include "screens/ScoreServer.h"
#include "shell/GameState.h"
#include <algorithm>

namespace OnlineScores {

namespace {

char DifficultyDigit(int difficulty) { return char('0' + std::clamp(difficulty, 0, 2)); }

} // namespace

std::string TokenOf(std::string_view answer) {
    std::string_view rest = answer, field;
    for (int step = 0; step < 5; ++step) {
        const size_t bar = rest.find('|');
        if (bar == std::string_view::npos) {
            field = {};
        } else {
            field = rest.substr(0, bar);
            rest = rest.substr(bar + 1);
        }
    }
    return std::string(field);
}

std::string BuildReport(const TGameState& s, std::string_view token) {
    std::string report;
    report += "type=";
    report += DifficultyDigit(s.Difficulty);
    report += "|name=" + s.PlayerName;
    report += "|score=" + std::to_string(s.GetScore());
    report += "|key=";
    report += ReportKey;
    report += "|p=" + std::string(token);
    report += "|add=" + s.Country;
    report += "|z=";
    while (report.size() % 5 != 0) report += '0';
    return report;
}

std::string EncodeReport(std::string_view report) {
    return BitCodec::EncodeGroups(BitCodec::EncodeBytes(report));
}

bool SubmitScore(platform::Http& http, platform::MessageBox& box, const TScoreServer& server,
                 const TGameState& s) {
    const platform::HttpResponse version = http.Get(server.Url(VersionQuery), server.Timeouts);
    // An error status counts as no answer, as a failed request does.
    const bool answered = version.ok && version.status >= 200 && version.status < 300;
    const std::string_view answer = answered ? std::string_view(version.body) : "";
    if (answer.substr(0, 2) != "OK") {
        box.ShowInfo("Kelvora", NoServerMessage);
        return false;
    }
    const std::string report = BuildReport(s, TokenOf(answer));
    http.Get(server.Url(ReportQuery + EncodeReport(report)), server.Timeouts);
    return true;
}

std::string OnlineTableUrl(const TScoreServer& server, int difficulty) {
    return server.Url(std::string(TableQuery) + DifficultyDigit(difficulty));
}

void OpenOnlineTable(platform::Shell& shell, const TScoreServer& server, int difficulty) {
    shell.Open(OnlineTableUrl(server, difficulty));
}

} // namespace OnlineScores
