#pragma once
#include <string>

namespace platform {

// How long a request may take before it counts as failed.
struct HttpTimeouts {
    long connectMs = 4000; // until the connection stands
    long totalMs = 10000;  // for the whole request, answer included
};

struct HttpResponse {
    bool ok = false; // an answer arrived (of any status); false for no answer at all
    int status = 0;  // the HTTP status when ok
    std::string body;
    std::string error; // why there is no answer, for people reading a log
};

// A blocking HTTP client.
class Http {
public:
    virtual ~Http() = default;
    // GET of an absolute http:// URL; returns when the answer is in or the time is up.
    virtual HttpResponse Get(const std::string& url, const HttpTimeouts& timeouts) = 0;
};

} // namespace platform
