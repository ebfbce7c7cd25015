// Downloading one resource over HTTP or HTTPS into a file, on libcurl.
#pragma once

#include <string>

namespace net {

// How long a download may wait. A silent server would otherwise hold the game forever.
struct DownloadLimits {
    // Seconds to get a connection (TLS handshake included).
    long connectSeconds = 10;
    // A download that receives fewer than stallBytes bytes in stallSeconds seconds gives up.
    long stallSeconds = 30;
    long stallBytes = 30;
    // Redirects followed before the download gives up.
    long maxRedirects = 5;
    // A file of the certificates to trust instead of the system's store ("" for the store).
    std::string trustedCertificates;
};

struct WebRequest {
    // A host name or address, optionally with "http://" or "https://" in front.
    std::string server;
    std::string path;
    int port = 80;
};

// Fetches the resource with an HTTP/1.0 GET ("Host:" the server as given, "Accept: */*",
// "User-Agent: Vornic game"), following redirects. HTTPS is used for port 443 or an "https://"
// server, with the certificate checked. The body replaces fileName only when the whole body
// arrived with a status of 200..299; otherwise the file is left as it was. True on success.
bool Download(const WebRequest& request, const std::string& fileName,
              const DownloadLimits& limits = DownloadLimits());

// The URL libcurl is given for the request; "" when the server or port cannot be used (no
// name lookup is ever made for those).
std::string RequestUrl(const WebRequest& request);

} // namespace net
