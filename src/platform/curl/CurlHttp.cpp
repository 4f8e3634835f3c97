#include "platform/curl/CurlHttp.h"
#include <curl/curl.h>
#include <mutex>

namespace platform::curl {

namespace {

// Answers beyond this are not what the score server sends; the request is cut off.
constexpr size_t kMaxBody = 1 << 20;

size_t Collect(char* data, size_t size, size_t count, void* user) {
    auto* body = static_cast<std::string*>(user);
    const size_t bytes = size * count;
    if (body->size() + bytes > kMaxBody) return 0; // makes libcurl fail the transfer
    body->append(data, bytes);
    return bytes;
}

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

CurlHttp::CurlHttp() {
    GlobalInit();
    handle_ = curl_easy_init();
}

CurlHttp::~CurlHttp() {
    if (handle_) curl_easy_cleanup(static_cast<CURL*>(handle_));
}

HttpResponse CurlHttp::Get(const std::string& url, const HttpTimeouts& timeouts) {
    HttpResponse response;
    CURL* curl = static_cast<CURL*>(handle_);
    if (!curl) {
        response.error = "no HTTP client";
        return response;
    }
    curl_easy_reset(curl);
    char message[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connectMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeouts.totalMs);
    // Time-outs by signal are not safe in a program with other threads (the sound system).
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Kelvora");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response.body);
    const CURLcode code = curl_easy_perform(curl);
    if (code != CURLE_OK) {
        response.body.clear();
        response.error = message[0] ? message : curl_easy_strerror(code);
        return response;
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.ok = true;
    response.status = int(status);
    return response;
}

} // namespace platform::curl
