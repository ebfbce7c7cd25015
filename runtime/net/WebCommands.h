// Downloading a file from a web server.
#pragma once

#include "text/RtString.h"

// Fetches path from server (a host name or address; "https://name" asks for HTTPS, as does
// port 443) and stores the body in fileName. 1 when the whole body arrived with a success
// status, else 0; a failed download leaves an existing file as it was. Blocks until done: it
// gives up after 10 s without a connection or 30 s in which fewer than 30 bytes arrived.
double WebGet(const RtString& server, const RtString& path, double port, const RtString& fileName);
