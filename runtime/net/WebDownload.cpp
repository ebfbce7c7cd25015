#include "net/WebDownload.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

#include "files/AtomicFile.h"

namespace net {
namespace {

struct CurlEasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct CurlListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// libcurl's global set-up is done once for the process and never undone: a download running
// beside other users of the library (or another download) must not see it torn down.
bool InitialiseCurl() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ready;
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Letters, digits and the punctuation of host names and IPv4/IPv6 addresses. Anything else
// could change the meaning of the URL, so such a name is refused before any lookup.
bool IsHostCharacter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_' || c == ':' || c == '%';
}

// The host as it goes into the URL and the "Host:" line: an IPv6 address gets its brackets.
std::string HostText(const std::string& host) {
    if (host.find(':') != std::string::npos) return "[" + host + "]";
    return host;
}

// The path as sent: bytes that cannot stand in a request line (blanks, control bytes, bytes
// above 126) and '#', which would end the path, are percent-encoded; a path that does not
// start with "/" gets one.
std::string PathText(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string text = path.empty() || path[0] != '/' ? "/" : "";
    for (unsigned char c : path) {
        if (c <= 0x20 || c >= 0x7F || c == '#') {
            text += '%';
            text += hex[c >> 4];
            text += hex[c & 15];
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

struct ServerName {
    std::string host;
    bool secure = false;
};

ServerName SplitServer(const WebRequest& request) {
    ServerName name{request.server, request.port == 443};
    if (StartsWith(name.host, "https://")) {
        name.host.erase(0, 8);
        name.secure = true;
    } else if (StartsWith(name.host, "http://")) {
        name.host.erase(0, 7);
    }
    while (!name.host.empty() && name.host.back() == '/')
        name.host.pop_back();
    if (name.host.size() > 2 && name.host.front() == '[' && name.host.back() == ']')
        name.host = name.host.substr(1, name.host.size() - 2);
    return name;
}

bool UsableHost(const std::string& host) {
    if (host.empty() || host.size() > 253) return false;
    for (unsigned char c : host)
        if (!IsHostCharacter(c)) return false;
    return true;
}

size_t WriteBody(char* data, size_t size, size_t count, void* file) {
    const size_t bytes = size * count;
    return static_cast<ReplacementFile*>(file)->Write(data, bytes) ? bytes : 0;
}

} // namespace

std::string RequestUrl(const WebRequest& request) {
    const ServerName name = SplitServer(request);
    if (!UsableHost(name.host) || request.port < 1 || request.port > 65535) return "";
    return std::string(name.secure ? "https://" : "http://") + HostText(name.host) + ":" +
           std::to_string(request.port) + PathText(request.path);
}

bool Download(const WebRequest& request, const std::string& fileName,
              const DownloadLimits& limits) {
    const std::string url = RequestUrl(request);
    if (url.empty() || !InitialiseCurl()) return false;
    std::unique_ptr<CURL, CurlEasyDeleter> curl(curl_easy_init());
    if (!curl) return false;

    // The request keeps the runtime's traditional form: HTTP/1.0 (so no chunked answers) with
    // exactly these three header lines.
    const std::string hostLine = "Host:" + HostText(SplitServer(request).host);
    std::unique_ptr<curl_slist, CurlListDeleter> headers;
    for (const char* line : {hostLine.c_str(), "Accept: */*", "User-Agent: Vornic game"}) {
        curl_slist* longer = curl_slist_append(headers.get(), line);
        if (!longer) return false;
        headers.release();
        headers.reset(longer);
    }

    ReplacementFile body(fileName);
    if (!body.IsOpen()) return false;

    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(c, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, limits.maxRedirects);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits.connectSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT,
                     limits.stallSeconds > 0
                         ? (limits.stallBytes + limits.stallSeconds - 1) / limits.stallSeconds
                         : 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!limits.trustedCertificates.empty())
        curl_easy_setopt(c, CURLOPT_CAINFO, limits.trustedCertificates.c_str());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);

    if (curl_easy_perform(c) != CURLE_OK) return false;
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) return false;
    return body.Commit();
}

} // namespace net
