#include "platform/headless/ScriptedHttp.h"

namespace platform::headless {

HttpResponse ScriptedHttp::Get(const std::string& url, const HttpTimeouts& limits) {
    requested.push_back(url);
    timeouts.push_back(limits);
    if (script_.empty()) {
        HttpResponse none;
        none.error = "no scripted answer";
        return none;
    }
    HttpResponse next = std::move(script_.front());
    script_.pop_front();
    return next;
}

void ScriptedHttp::PushAnswer(std::string body, int status) {
    HttpResponse r;
    r.ok = true;
    r.status = status;
    r.body = std::move(body);
    script_.push_back(std::move(r));
}

void ScriptedHttp::PushFailure(std::string error) {
    HttpResponse r;
    r.error = std::move(error);
    script_.push_back(std::move(r));
}

} // namespace platform::headless
