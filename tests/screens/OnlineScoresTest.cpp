#include "screens/OnlineScores.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screens/BitCodec.h"
#include "screens/ScoreServer.h"
#include "shell/GameState.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace OnlineScores;
using platform::headless::HeadlessPlatform;

namespace {

TGameState Finished() {
    TGameState s;
    s.Difficulty = 1;
    s.PlayerName = "Ann";
    s.SetScore(4321);
    s.Country = "NO";
    return s;
}

TScoreServer Server() {
    TScoreServer server;
    server.Address = "scores.test:8080";
    return server;
}

} // namespace

TEST(OnlineScoresTest, TokenIsTheFifthField) {
    EXPECT_EQ(TokenOf("OK|a|b|c|tok|f"), "tok");
    EXPECT_EQ(TokenOf("OK|a|b|c|tok|f|g"), "tok");
    EXPECT_EQ(TokenOf("OK"), "");
    EXPECT_EQ(TokenOf("OK|a|b"), "");
    // With no "|" after it, the fifth field is empty: the server always sends a sixth.
    EXPECT_EQ(TokenOf("OK|a|b|c|tok"), "");
    EXPECT_EQ(TokenOf("OK||||"), "");
}

TEST(OnlineScoresTest, ReportLayoutAndPadding) {
    TGameState s = Finished();
    const std::string report = BuildReport(s, "tok");
    EXPECT_EQ(report, "type=1|name=Ann|score=4321|key=K|p=tok|add=NO|z=00");
    EXPECT_EQ(report.size(), 50u);

    // 43 characters get two zeros, 45, which encode to 72 letters.
    s.PlayerName = "";
    s.Country = "";
    s.SetScore(12345);
    s.Difficulty = 0;
    const std::string report43 = BuildReport(s, "to");
    EXPECT_EQ(report43, "type=0|name=|score=12345|key=K|p=to|add=|z=00");
    EXPECT_EQ(report43.size(), 45u);
    EXPECT_EQ(EncodeReport(report43).size(), 72u);
    EXPECT_EQ(BitCodec::DecodeBytes(BitCodec::DecodeGroups(EncodeReport(report43))), report43);

    // Names and countries go as stored, a "|" in them too.
    s.PlayerName = "A|B C";
    EXPECT_NE(BuildReport(s, "").find("|name=A|B C|"), std::string::npos);
}

TEST(OnlineScoresTest, SubmissionAgainstTheScriptedServer) {
    struct Case {
        const char* what;
        std::vector<std::string> answers; // empty: no server at all
        int status;
        bool sent;
        std::string token;
    };
    const Case cases[] = {
        {"six fields", {"OK|1|2|3|secret|6"}, 200, true, "secret"},
        {"bare OK", {"OK"}, 200, true, ""},
        {"lower-case ok", {"ok|1|2|3|secret|6"}, 200, false, ""},
        {"something else", {"Service unavailable"}, 200, false, ""},
        {"error status", {"OK|1|2|3|secret|6"}, 500, false, ""},
        {"unreachable", {}, 0, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeadlessPlatform p;
        for (const auto& a : c.answers) p.scriptedHttp.PushAnswer(a, c.status);
        if (c.answers.empty()) p.scriptedHttp.PushFailure();
        const TGameState s = Finished();
        EXPECT_EQ(SubmitScore(p.scriptedHttp, p.messages, Server(), s), c.sent);
        ASSERT_GE(p.scriptedHttp.requested.size(), 1u);
        EXPECT_EQ(p.scriptedHttp.requested[0],
                  "http://scores.test:8080/cgi/version.pl?version&prg=Kelvora");
        if (c.sent) {
            ASSERT_EQ(p.scriptedHttp.requested.size(), 2u);
            EXPECT_EQ(p.scriptedHttp.requested[1],
                      "http://scores.test:8080/cgi/version.pl?hs&prg=Kelvora&inf=" +
                          EncodeReport(BuildReport(s, c.token)));
            EXPECT_TRUE(p.messages.shown.empty());
        } else {
            EXPECT_EQ(p.scriptedHttp.requested.size(), 1u);
            EXPECT_EQ(p.messages.infos, (std::vector<std::string>{"Can't connect to server!"}));
        }
    }
}

TEST(OnlineScoresTest, AFailedReportIsSilent) {
    HeadlessPlatform p;
    p.scriptedHttp.PushAnswer("OK|1|2|3|t|6");
    p.scriptedHttp.PushFailure();
    EXPECT_TRUE(SubmitScore(p.scriptedHttp, p.messages, Server(), Finished()));
    EXPECT_TRUE(p.messages.shown.empty());
}

TEST(OnlineScoresTest, OnlineTableOpensInTheBrowser) {
    HeadlessPlatform p;
    for (int d : {0, 1, 2}) OpenOnlineTable(p.recordingShell, Server(), d);
    EXPECT_EQ(p.recordingShell.opened,
              (std::vector<std::string>{
                  "http://scores.test:8080/cgi/version.pl?prg=Kelvora&show&type=0",
                  "http://scores.test:8080/cgi/version.pl?prg=Kelvora&show&type=1",
                  "http://scores.test:8080/cgi/version.pl?prg=Kelvora&show&type=2"}));
}

TEST(ScoreServerTest, AddressFromTheFile) {
    struct Case {
        std::string text;
        std::optional<std::string> address;
    };
    const Case cases[] = {
        {"scores.example.org\n", "scores.example.org"},
        {"  10.0.0.5:8080 \r\nignored", "10.0.0.5:8080"},
        {"[::1]:9000", "[::1]:9000"},
        {"localhost:0", std::nullopt},
        {"localhost:65536", std::nullopt},
        {"host:80x", std::nullopt},
        {"http://host/", std::nullopt},
        {"evil host", std::nullopt},
        {"host/path?x", std::nullopt},
        {"", std::nullopt},
        {"[::1", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseServerAddress(c.text), c.address) << c.text;

    const auto dir = std::filesystem::temp_directory_path() / "kelvora_server_ini";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "server.ini").string();
    EXPECT_EQ(LoadScoreServer(path).Address, "127.0.0.1:8080"); // no file: this machine
    std::ofstream(path) << "scores.example.org:81\n";
    EXPECT_EQ(LoadScoreServer(path).Url("/x"), "http://scores.example.org:81/x");
    std::ofstream(path) << "not an address\n";
    EXPECT_EQ(LoadScoreServer(path).Address, "127.0.0.1:8080");
    std::filesystem::remove_all(dir);
}
