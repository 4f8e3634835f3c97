#pragma once
#include "platform/Http.h"

namespace platform::curl {

// The HTTP client on libcurl's easy interface: one blocking GET at a time, no proxy from the
// environment surprises beyond libcurl's own defaults, redirects not followed.
class CurlHttp final : public Http {
public:
    CurlHttp();
    ~CurlHttp() override;
    CurlHttp(const CurlHttp&) = delete;
    CurlHttp& operator=(const CurlHttp&) = delete;

    HttpResponse Get(const std::string& url, const HttpTimeouts& timeouts) override;

private:
    void* handle_ = nullptr; // CURL*
};

} // namespace platform::curl
