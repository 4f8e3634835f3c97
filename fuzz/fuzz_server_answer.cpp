// What the score server answers, and the server address file "server.ini".
#include "screens/OnlineScores.h"
#include "screens/ScoreServer.h"
#include "shell/GameState.h"
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TGameState s;
    const std::string report = OnlineScores::BuildReport(s, OnlineScores::TokenOf(text));
    if (report.size() % 5 != 0) __builtin_trap();
    OnlineScores::EncodeReport(report);
    ParseServerAddress(text);
    return 0;
}
