#pragma once
#include <string>
#include <string_view>

namespace platform {
class Http;
class MessageBox;
class Shell;
} // namespace platform
struct TGameState;
struct TScoreServer;

// Sending a finished game's score to the score server, and its online tables.
namespace OnlineScores {

inline constexpr const char* VersionQuery = "/cgi/version.pl?version&prg=Kelvora";
inline constexpr const char* ReportQuery = "/cgi/version.pl?hs&prg=Kelvora&inf=";
inline constexpr const char* TableQuery = "/cgi/version.pl?prg=Kelvora&show&type=";
inline constexpr const char* NoServerMessage = "Can't connect to server!";
// The report's fixed key letter, agreed with the server.
inline constexpr char ReportKey = 'K';

// The fifth "|"-separated field of the version answer, taken as the server's script does: five
// times the text before the next "|" (empty, with the rest kept, when there is none).
std::string TokenOf(std::string_view answer);
// "type=D|name=...|score=...|key=K|p=token|add=country|z=", then "0" up to a multiple of 5.
std::string BuildReport(const TGameState& s, std::string_view token);
// The report as codec letters (its length is a multiple of 5, so no digit is put in front).
std::string EncodeReport(std::string_view report);

// The version check and, when the server answers "OK...", the report. Blocks until both are
// done or failed; a missing or wrong answer shows "Can't connect to server!" and sends nothing.
// True when the report was sent (its answer is not read).
bool SubmitScore(platform::Http& http, platform::MessageBox& box, const TScoreServer& server,
                 const TGameState& s);

// The browser page of the online table of a difficulty (0 easy, 1 medium, 2 hard).
std::string OnlineTableUrl(const TScoreServer& server, int difficulty);
// Opens it with the desktop's browser; no answer is awaited.
void OpenOnlineTable(platform::Shell& shell, const TScoreServer& server, int difficulty);

} // namespace OnlineScores
