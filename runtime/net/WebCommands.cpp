#include "net/WebCommands.h"

#include "core/Number.h"
#include "files/FilePaths.h"
#include "net/WebDownload.h"

double WebGet(const RtString& server, const RtString& path, double port, const RtString& fileName) {
    const net::WebRequest request{server.CText(), path.CText(), ToInt(port)};
    return net::Download(request, files::PlatformPath(fileName.CText())) ? 1.0 : 0.0;
}
