#include "files/IniCommands.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "core/ErrorCommands.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "files/FileState.h"
#include "files/ResourceResolver.h"
#include "os/System.h"
#include "os/Window.h"
#include "text/RtString.h"

namespace {

// Makes fileName the cached line file; false when it cannot be found (runtime error 3 is
// recorded when it was just looked for, the program goes on).
bool SelectLineFile(const RtString& fileName) {
    Runtime& rt = Rt();
    if (!rt.files || !rt.resolvers[0]) return false;
    LineFileCache& cache = rt.files->lineFile;
    if (cache.Select(fileName.CText(), *rt.resolvers[0]) == LineFileCache::Selection::Missing)
        SetRuntimeError(3);
    return cache.HasContent();
}

bool ValidLine(int line) {
    return line >= 0 && line < LineFileCache::kLineCount;
}

// 32 bits of FNV-1a: spreads a machine identity over the four bytes of the answer.
uint32_t Fnv1a(const std::string& text) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : text)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

std::string MachineIdText() {
    const std::string identity = os::MachineIdentity();
    const uint32_t value = identity.empty() ? 0 : Fnv1a(identity);
    char text[9];
    // Lowest byte first, each as two digits.
    std::snprintf(text, sizeof(text), "%02X%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF,
                  (value >> 16) & 0xFF, value >> 24);
    return text;
}

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::snprintf(text, sizeof(text), "%d-%d-%d %2d:%2d:%2d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

bool GLEntryPointExists(const std::string& name) {
    os::Window* window = Rt().window.get();
    return window && window->HasGL() && window->GetProcAddress(name.c_str()) != nullptr;
}

} // namespace

RtString GetLineText(const RtString& fileName, double line) {
    if (!SelectLineFile(fileName)) return RtString("NO_FILE");
    const int index = ToInt(line);
    if (!ValidLine(index)) {
        SetRuntimeError(7);
        return RtString("NO_DATA");
    }
    std::string text = Rt().files->lineFile.Line(index);
    TrimControlTail(text);
    return RtString(text.empty() ? "NO_DATA" : text.c_str());
}

double GetLineNumber(const RtString& fileName, double line) {
    return std::atof(GetLineText(fileName, line).CText());
}

double PutLineText(const RtString& fileName, double line, const RtString& text) {
    SelectLineFile(fileName);
    FileState* files = Rt().files.get();
    const int index = ToInt(line);
    if (!files || !ValidLine(index)) return SetRuntimeError(7);
    files->lineFile.SetLine(index, std::string(text.CText(), text.Length()));
    return 0.0;
}

double PutLineNumber(const RtString& fileName, double line, double number) {
    return PutLineText(fileName, line, NumberToText(number));
}

void IniOpen(const RtString& fileName) {
    Runtime& rt = Rt();
    if (rt.files && rt.resolvers[0]) rt.files->ini.Open(fileName.CText(), *rt.resolvers[0]);
}

RtString IniGet(const RtString& section, const RtString& key) {
    const FileState* files = Rt().files.get();
    const std::string* value = files ? files->ini.Find(section.CText(), key.CText()) : nullptr;
    return RtString(value ? value->c_str() : "NO_DATA");
}

void IniPut(const RtString& section, const RtString& key, const RtString& value) {
    if (FileState* files = Rt().files.get())
        files->ini.Put(section.CText(), key.CText(), value.CText());
}

RtString PlatformInfo(const RtString& key) {
    const std::string asked = key.CText();
    std::string upper = asked;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    static const std::string kGLPrefix = "GLEXT:";
    if (upper.empty()) return RtString("WIN32");
    if (upper.compare(0, kGLPrefix.size(), kGLPrefix) == 0)
        return RtString(GLEntryPointExists(asked.substr(kGLPrefix.size())) ? "1" : "0");
    if (upper == "ID") return RtString(MachineIdText().c_str());
    if (upper == "DEVICE") return RtString("DESKTOP");
    if (upper == "TIME") return RtString(LocalTimeText().c_str());
    return RtString("NO_DATA");
}
