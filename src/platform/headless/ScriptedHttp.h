#pragma once
#include "platform/Http.h"
#include <deque>
#include <string>
#include <vector>

namespace platform::headless {

// An HTTP client that records every request and gives scripted answers in order; with no
// answer left, requests fail as if no server were there.
class ScriptedHttp final : public Http {
public:
    HttpResponse Get(const std::string& url, const HttpTimeouts& timeouts) override;

    // A 200 answer with this body.
    void PushAnswer(std::string body, int status = 200);
    // No answer at all (no network, no server).
    void PushFailure(std::string error = "cannot connect");

    std::vector<std::string> requested; // every URL asked for, in order
    std::vector<HttpTimeouts> timeouts; // and the time-outs it came with

private:
    std::deque<HttpResponse> script_;
};

} // namespace platform::headless
