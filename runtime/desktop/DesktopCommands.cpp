#include "desktop/DesktopCommands.h"

#include <algorithm>
#include <filesystem>

#include "app/FrameLoop.h"
#include "core/ErrorLog.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "desktop/MoviePlayer.h"
#include "files/FilePaths.h"
#include "files/ResourceLookup.h"
#include "gl/OpenGLRainbows.h"
#include "input/InputPolls.h"
#include "os/Clock.h"
#include "os/Desktop.h"
#include "os/Process.h"
#include "os/Window.h"
#include "sound/SoundDevice.h"

namespace {

// Music files are read whole into memory, which the mixer decodes from.
constexpr size_t kMaxMusicBytes = 256u << 20;

// "description|pattern;pattern|description|pattern" as pairs; a description without a pattern
// is dropped.
std::vector<os::FileFilter> ParseFilters(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
        fields.push_back(text.substr(start, bar - start));
    fields.push_back(text.substr(start));
    std::vector<os::FileFilter> filters;
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        os::FileFilter filter{fields[i], {}};
        size_t from = 0;
        for (size_t semicolon; from <= fields[i + 1].size(); from = semicolon + 1) {
            semicolon = fields[i + 1].find(';', from);
            if (semicolon == std::string::npos) semicolon = fields[i + 1].size();
            const std::string pattern = fields[i + 1].substr(from, semicolon - from);
            if (!pattern.empty()) filter.patterns.push_back(pattern);
        }
        if (!filter.patterns.empty()) filters.push_back(filter);
    }
    return filters;
}

os::AudioOutput* MusicOutput() {
    Runtime& rt = Rt();
    return rt.sound && rt.sound->HasOutput() ? &rt.sound->Output() : nullptr;
}

} // namespace

void OpenConsole() {
    if (os::OpenConsoleWindow() == os::ConsoleResult::NoTerminal)
        AppendLogLine("OpenConsole: no terminal window could be opened (xterm)");
}

double GetWindowHandle() {
    Runtime& rt = Rt();
    return rt.window ? static_cast<double>(rt.window->NativeHandle()) : 0.0;
}

void PlayMusic(const RtString& fileName) {
    os::AudioOutput* output = MusicOutput();
    if (!output) return;
    output->StopMusic();
    std::string file;
    if (!files::ReadResource(Rt().resolvers[0].get(), fileName.CText(), file, kMaxMusicBytes))
        LogFailedLoad("PlayMusic", fileName.CText(), "not found");
    else if (!output->PlayMusic(std::move(file)))
        LogFailedLoad("PlayMusic", fileName.CText(), "not music the mixer can decode");
}

void SetMusicVolume(double volume) {
    os::AudioOutput* output = MusicOutput();
    if (!output) return;
    const int thousandths = std::clamp(ToInt(volume * 1000.0), 0, 1000);
    output->SetMusicVolume(static_cast<float>(thousandths) / 1000.0f);
}

void StopMusic() {
    if (os::AudioOutput* output = MusicOutput()) output->StopMusic();
}

double PlayMovie(const RtString& fileName, double loop) {
    Runtime& rt = Rt();
    if (!rt.gfx || !rt.input || !rt.window || !rt.window->HasGL()) return 3.0;
    OpenGLRainbows& device = *rt.gfx;
    // A key or button still held from before would end the movie at once.
    while (input::AnyKeyTyped() || input::AnyMouseButton()) {
        PumpMessages(device);
        PacingClock().SleepMs(5);
    }
    const int viewport[4] = {device.viewportX, device.viewportY, device.viewportWidth,
                             device.viewportHeight};
    Set2DProjection(device, 0, 0, 0, 0);
    {
        desktop::MoviePlayer player(device, PacingClock(), MusicOutput());
        const std::optional<std::string> path =
            files::Resolve(Rt().resolvers[0].get(), fileName.CText());
        if (path && player.Open(*path)) {
            while (!input::AnyKeyTyped() && !input::AnyMouseButton() && player.Step(loop != 0)) {
                if (player.DrewPicture()) device.window.SwapBuffers();
                PumpMessages(device);
                PacingClock().SleepMs(2);
            }
        } else {
            LogFailedLoad("PlayMovie", fileName.CText(),
                          path ? "not a movie FFmpeg can decode" : "not found");
        }
    }
    Set2DProjection(device, viewport[0], viewport[1], viewport[2], viewport[3]);
    return 0.0;
}

RtString FileRequester(const RtString& filter, double open) {
    Runtime& rt = Rt();
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (rt.gfx) HideGLWindow(*rt.gfx);
    const os::FileDialogRequest request{ParseFilters(filter.CText()), open != 0, folder.string()};
    std::string chosen;
    const os::DialogResult result = os::ChooseFile(request, chosen);
    // The dialog may have changed the working directory; the game's relative names must not
    // notice.
    if (!folder.empty()) std::filesystem::current_path(folder, error);
    if (rt.gfx) {
        if (rt.settings.fullScreen)
            EnterFullScreen(*rt.gfx);
        else
            ApplyWindowedFrame(*rt.gfx);
    }
    if (result == os::DialogResult::NoDialogProgram)
        AppendLogLine(std::string("FileRequester: no file dialog program found (") +
                      os::DialogProgramNames() + ")");
    if (result != os::DialogResult::Chosen) return RtString("NO_FILE");
    files::SlashesToForward(chosen);
    return RtString(chosen.c_str());
}

double RunProgram(const RtString& commandLine, double wait, double show, double& exitCode) {
    exitCode = 0.0;
    os::ProcessOptions options;
    options.wait = wait != 0;
    options.showOutput = show != 0;
    int status = 0;
    if (!os::RunProcess(os::SplitCommandLine(commandLine.CText()), options, &status)) return 0.0;
    if (options.wait) exitCode = status;
    return 1.0;
}
