#include "os/RunSession.h"
#include "os/System.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "os/Audio.h"
#include "os/Input.h"
#include "os/RunLog.h"

namespace os {

namespace {

[[noreturn]] void FailRun(const std::string& message) {
    std::fprintf(stderr, "vornic: %s\n", message.c_str());
    std::fflush(stderr);
    std::_Exit(2);
}

// Reads a recording: only a regular file (a FIFO would block, /dev/zero never ends) of at most
// RunLog::kLargestFile bytes. On failure says why in error.
bool ReadRecording(const std::string& path, std::string& text, std::string& error) {
    error.clear();
    // Non-blocking, so that opening a FIFO with no writer returns instead of waiting.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return error = std::strerror(errno), false;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return error = "not a regular file", false;
    }
    const std::string tooLarge =
        "larger than " + std::to_string(RunLog::kLargestFile >> 20) + " MiB";
    if (static_cast<uint64_t>(info.st_size) > RunLog::kLargestFile) {
        close(fd);
        return error = tooLarge, false;
    }
    text.clear();
    char block[65536];
    for (;;) {
        const ssize_t got = read(fd, block, sizeof(block));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = std::strerror(errno);
        if (got <= 0) break;
        if (text.size() + static_cast<size_t>(got) > RunLog::kLargestFile) {
            error = tooLarge; // it grew while being read
            break;
        }
        text.append(block, static_cast<size_t>(got));
    }
    close(fd);
    return error.empty();
}

bool SameReport(const JoystickReport& a, const JoystickReport& b) {
    return std::equal(std::begin(a.axes), std::end(a.axes), std::begin(b.axes)) &&
           std::equal(std::begin(a.sliders), std::end(a.sliders), std::begin(b.sliders)) &&
           std::equal(std::begin(a.pov), std::end(a.pov), std::begin(b.pov)) &&
           std::equal(std::begin(a.buttons), std::end(a.buttons), std::begin(b.buttons));
}

// A window that passes everything on to the real one; recording and replay change only where
// events and input come from.
class ForwardingWindow : public Window {
  public:
    explicit ForwardingWindow(std::unique_ptr<Window> inner) : inner_(std::move(inner)) {}

    bool Create(WindowRequest& request) override { return inner_->Create(request); }
    void Destroy() override { inner_->Destroy(); }
    bool IsOpen() const override { return inner_->IsOpen(); }
    bool HasGL() const override { return inner_->HasGL(); }
    void SetTitle(const std::string& title) override { inner_->SetTitle(title); }
    void Show() override { inner_->Show(); }
    void Hide() override { inner_->Hide(); }
    void Raise() override { inner_->Raise(); }
    bool SetFullScreen(bool on, int width, int height) override {
        return inner_->SetFullScreen(on, width, height);
    }
    void SwapBuffers() override { inner_->SwapBuffers(); }
    void* GetProcAddress(const char* name) override { return inner_->GetProcAddress(name); }
    void DesktopSize(int& width, int& height, int& bitsPerPixel) override {
        inner_->DesktopSize(width, height, bitsPerPixel);
    }
    uint64_t NativeHandle() override { return inner_->NativeHandle(); }
    void MessageBox(const std::string& caption, const std::string& text) override {
        inner_->MessageBox(caption, text);
    }
    void Beep() override { inner_->Beep(); }

  protected:
    std::unique_ptr<Window> inner_;
};

// ---- Recording ----------------------------------------------------------------------------

class RecordingSession : public RunSession {
  public:
    // The path is made absolute first: start-up changes to the program's directory before the
    // recording is written.
    explicit RecordingSession(const std::string& path)
        : path_(os::AbsolutePath(path)), writer_(&body_) {
        std::ofstream create(path_, std::ios::binary | std::ios::trunc);
        if (!create) FailRun("cannot write the recording " + path_);
    }

    void BeginFrame() override {
        ++frame;
        windowPolls = inputPolls = 0;
        // What is recorded reaches the disk every second or so, not only at the end.
        if (frame % 60 == 0) Flush();
    }
    long Frame() const override { return frame; }
    int Seed(int proposed) override {
        seed_ = proposed;
        seeded_ = true;
        return proposed;
    }
    bool PacesInRealTime() const override { return true; }
    bool Ended() const override { return false; }
    void Finish() override {
        if (finished_) return;
        writer_.End(frame);
        Flush();
        finished_ = true;
    }

    void NoteNetResult(const std::string& command, const std::string& result) override {
        writer_.NetResult(frame, command, result);
    }

    RunLogWriter& Writer() { return writer_; }

    long frame = 0;
    int windowPolls = 0, inputPolls = 0;
    bool hasKeyboard = true;
    std::map<int, int> keyCharacters;
    std::vector<std::string> joystickNames;

  private:
    void Flush() {
        if (!seeded_) return; // the header is complete once the seed is known
        if (failed_) {
            body_.clear();
            return;
        }
        std::ofstream out(path_, std::ios::binary | std::ios::app);
        if (!headerWritten_) {
            std::string header;
            RunLogWriter(&header).Header(seed_, hasKeyboard, keyCharacters, joystickNames);
            out << header;
            headerWritten_ = true;
        }
        out << body_;
        out.close();
        body_.clear();
        // A full disk or a lost device: the run goes on, unrecorded from here, and the player
        // hears of it once. The recording replays as "truncated".
        if (!out) {
            failed_ = true;
            std::fprintf(stderr, "vornic: cannot write the recording %s (%s); recording stops\n",
                         path_.c_str(), std::strerror(errno));
        }
    }

    std::string path_;
    std::string body_;
    RunLogWriter writer_;
    int seed_ = 0;
    bool seeded_ = false, headerWritten_ = false, finished_ = false, failed_ = false;
};

class RecordingClock : public Clock {
  public:
    RecordingClock(Clock& inner, RecordingSession& session) : inner_(inner), session_(session) {}
    double NowMs() override {
        const double now = inner_.NowMs();
        session_.Writer().ClockRead(session_.frame, now);
        return now;
    }
    void SleepMs(unsigned ms) override { inner_.SleepMs(ms); }

  private:
    Clock& inner_;
    RecordingSession& session_;
};

class RecordingInput : public InputPlatform {
  public:
    RecordingInput(std::unique_ptr<InputPlatform> inner, RecordingSession& session)
        : inner_(std::move(inner)), session_(session) {
        session_.hasKeyboard = inner_->HasKeyboard();
        for (int code = 0; code < 256; ++code)
            if (int character = inner_->KeyCharacter(code))
                session_.keyCharacters[code] = character;
    }
    bool Start(int maxJoysticks) override {
        const bool started = inner_->Start(maxJoysticks);
        session_.joystickNames.clear();
        for (int i = 0; i < inner_->JoystickCount(); ++i)
            session_.joystickNames.push_back(inner_->JoystickName(i));
        return started;
    }
    void Stop() override { inner_->Stop(); }
    bool HasKeyboard() override { return session_.hasKeyboard; }
    bool PollInputEvent(Event& event) override {
        const int poll = session_.inputPolls++;
        if (!inner_->PollInputEvent(event)) return false;
        session_.Writer().InputEvent(session_.frame, poll, event);
        return true;
    }
    bool SetMouseCaptured(bool captured) override { return inner_->SetMouseCaptured(captured); }
    void ShowPointer(bool shown) override { inner_->ShowPointer(shown); }
    void MovePointer(int x, int y) override { inner_->MovePointer(x, y); }
    bool PointerPosition(int& x, int& y) override {
        const bool inside = inner_->PointerPosition(x, y);
        if (inside != pointerInside_ || (inside && (x != pointerX_ || y != pointerY_))) {
            session_.Writer().Pointer(session_.frame, inside, x, y);
            pointerInside_ = inside;
            pointerX_ = x;
            pointerY_ = y;
        }
        return inside;
    }
    // The layout's characters were all recorded up front; the same table answers here.
    int KeyCharacter(int keyCode) override {
        auto found = session_.keyCharacters.find(keyCode);
        return found == session_.keyCharacters.end() ? 0 : found->second;
    }
    int JoystickCount() override { return static_cast<int>(session_.joystickNames.size()); }
    std::string JoystickName(int index) override {
        return index >= 0 && index < JoystickCount() ? session_.joystickNames[index] : "";
    }
    bool ReadJoystick(int index, JoystickReport& report) override {
        if (index < 0 || index >= JoystickCount() || !inner_->ReadJoystick(index, report))
            return false;
        auto& last = lastReports_[index];
        if (!last.first || !SameReport(last.second, report)) {
            session_.Writer().Joystick(session_.frame, index, report);
            last = {true, report};
        }
        return true;
    }
    bool Rumble(int index, double strength, int ms) override {
        return inner_->Rumble(index, strength, ms);
    }

  private:
    std::unique_ptr<InputPlatform> inner_;
    RecordingSession& session_;
    bool pointerInside_ = false;
    int pointerX_ = 0, pointerY_ = 0;
    std::map<int, std::pair<bool, JoystickReport>> lastReports_;
};

class RecordingWindow : public ForwardingWindow {
  public:
    RecordingWindow(std::unique_ptr<Window> inner, RecordingSession& session)
        : ForwardingWindow(std::move(inner)), session_(session) {}

    bool PollEvent(Event& event) override {
        const int poll = session_.windowPolls++;
        if (!inner_->PollEvent(event)) return false;
        session_.Writer().WindowEvent(session_.frame, poll, event);
        return true;
    }
    std::unique_ptr<InputPlatform> CreateInput() override {
        return std::make_unique<RecordingInput>(inner_->CreateInput(), session_);
    }

  private:
    RecordingSession& session_;
};

// ---- Replay -------------------------------------------------------------------------------

// Events of one channel waiting to be handed out: each becomes available at the poll of its
// frame that delivered it when the run was recorded (scripts: at the frame's first poll).
class EventFeed {
  public:
    void Add(const std::vector<LoggedEvent>& events) {
        waiting_.insert(waiting_.end(), events.begin(), events.end());
    }
    void NewFrame() {
        polls_ = 0;
        for (LoggedEvent& logged : waiting_)
            logged.poll = 0;
    }
    bool Next(Event& event) {
        const int poll = polls_++;
        if (waiting_.empty() || waiting_.front().poll > poll) return false;
        event = waiting_.front().event;
        waiting_.pop_front();
        return true;
    }

  private:
    std::deque<LoggedEvent> waiting_;
    int polls_ = 0;
};

class ReplaySession : public RunSession {
  public:
    ReplaySession(RunLog log, bool realTime) : log(std::move(log)), realTime_(realTime) {
        Enter(0);
    }

    void BeginFrame() override { Enter(frame + 1); }
    long Frame() const override { return frame; }
    int Seed(int) override { return log.seed; }
    bool PacesInRealTime() const override { return realTime_; }
    bool Ended() const override { return frame > log.lastFrame; }
    void Finish() override {}

    bool ReplaysNetwork() const override { return true; }
    bool NextNetResult(const std::string& command, std::string& result) override {
        if (netIndex_ >= current_.netResults.size() ||
            current_.netResults[netIndex_].command != command)
            return false;
        result = current_.netResults[netIndex_++].result;
        return true;
    }

    double NextClockValue() {
        if (clockIndex_ < current_.clockReads.size()) {
            lastClock_ = current_.clockReads[clockIndex_++];
        } else if (log.frameTime > 0) {
            lastClock_ = 1000.0 + frame * log.frameTime;
        }
        return lastClock_;
    }

    RunLog log;
    long frame = 0;
    EventFeed windowEvents, inputEvents;
    std::map<int, JoystickReport> joysticks;
    bool pointerInside = false;
    int pointerX = 0, pointerY = 0;

  private:
    void Enter(long next) {
        frame = next;
        clockIndex_ = 0;
        netIndex_ = 0;
        windowEvents.NewFrame();
        inputEvents.NewFrame();
        auto found = log.frames.find(frame);
        current_ = found == log.frames.end() ? LoggedFrame{} : found->second;
        windowEvents.Add(current_.windowEvents);
        inputEvents.Add(current_.inputEvents);
        for (const LoggedJoystick& stick : current_.joysticks)
            joysticks[stick.index] = stick.report;
        if (current_.pointerChanged) {
            pointerInside = current_.pointerInside;
            pointerX = current_.pointerX;
            pointerY = current_.pointerY;
        }
    }

    LoggedFrame current_;
    size_t clockIndex_ = 0;
    size_t netIndex_ = 0;
    double lastClock_ = 1000.0;
    bool realTime_ = false;
};

class ReplayClock : public Clock {
  public:
    ReplayClock(Clock& inner, ReplaySession& session) : inner_(inner), session_(session) {}
    double NowMs() override { return session_.NextClockValue(); }
    void SleepMs(unsigned ms) override {
        if (session_.PacesInRealTime()) inner_.SleepMs(ms);
    }

  private:
    Clock& inner_;
    ReplaySession& session_;
};

// The real devices are still drained, so that their events do not pile up, but what they say
// is ignored: the recording speaks instead.
class ReplayInput : public InputPlatform {
  public:
    ReplayInput(std::unique_ptr<InputPlatform> inner, ReplaySession& session)
        : inner_(std::move(inner)), session_(session) {}
    bool Start(int) override { return true; }
    void Stop() override {}
    bool HasKeyboard() override { return session_.log.hasKeyboard; }
    bool PollInputEvent(Event& event) override {
        Event ignored;
        while (inner_->PollInputEvent(ignored)) {
        }
        return session_.inputEvents.Next(event);
    }
    bool SetMouseCaptured(bool) override { return true; }
    void ShowPointer(bool) override {}
    void MovePointer(int, int) override {}
    bool PointerPosition(int& x, int& y) override {
        x = session_.pointerX;
        y = session_.pointerY;
        return session_.pointerInside;
    }
    int KeyCharacter(int keyCode) override {
        auto found = session_.log.keyCharacters.find(keyCode);
        if (found != session_.log.keyCharacters.end()) return found->second;
        return session_.log.keyCharacters.empty() ? inner_->KeyCharacter(keyCode) : 0;
    }
    int JoystickCount() override { return static_cast<int>(session_.log.joystickNames.size()); }
    std::string JoystickName(int index) override {
        return index >= 0 && index < JoystickCount() ? session_.log.joystickNames[index] : "";
    }
    bool ReadJoystick(int index, JoystickReport& report) override {
        if (index < 0 || index >= JoystickCount()) return false;
        auto found = session_.joysticks.find(index);
        report = found == session_.joysticks.end() ? JoystickReport{} : found->second;
        return true;
    }
    bool Rumble(int index, double, int) override { return index >= 0 && index < JoystickCount(); }

  private:
    std::unique_ptr<InputPlatform> inner_;
    ReplaySession& session_;
};

class ReplayWindow : public ForwardingWindow {
  public:
    ReplayWindow(std::unique_ptr<Window> inner, ReplaySession& session)
        : ForwardingWindow(std::move(inner)), session_(session) {}

    bool PollEvent(Event& event) override {
        Event ignored;
        while (inner_->PollEvent(ignored)) {
        }
        return session_.windowEvents.Next(event);
    }
    std::unique_ptr<InputPlatform> CreateInput() override {
        return std::make_unique<ReplayInput>(inner_->CreateInput(), session_);
    }

  private:
    ReplaySession& session_;
};

} // namespace

Backend WrapForRecordOrReplay(Backend backend, const RunRequest& run) {
    const std::string& replayPath = run.replayPath;
    const std::string& recordPath = run.recordPath;
    if (!replayPath.empty()) {
        std::string text, error;
        if (!ReadRecording(replayPath, text, error))
            FailRun("cannot read the recording " + replayPath + ": " + error);
        RunLog log;
        if (!ReadRunLog(text, log, error))
            FailRun("the recording " + replayPath + " does not fit: " + error);
        auto session = std::make_unique<ReplaySession>(std::move(log), run.replayRealTime);
        Backend wrapped;
        wrapped.clock = std::make_unique<ReplayClock>(*backend.clock, *session);
        wrapped.window = std::make_unique<ReplayWindow>(std::move(backend.window), *session);
        wrapped.pacingClock = std::move(backend.clock);
        wrapped.audio = std::move(backend.audio);
        wrapped.session = std::move(session);
        return wrapped;
    }
    if (!recordPath.empty()) {
        auto session = std::make_unique<RecordingSession>(recordPath);
        Backend wrapped;
        wrapped.clock = std::make_unique<RecordingClock>(*backend.clock, *session);
        wrapped.window = std::make_unique<RecordingWindow>(std::move(backend.window), *session);
        wrapped.pacingClock = std::move(backend.clock);
        wrapped.audio = std::move(backend.audio);
        wrapped.session = std::move(session);
        return wrapped;
    }
    return backend;
}

SnapshotRequest ParseSnapshotRequest(const std::string& value) {
    SnapshotRequest request;
    const size_t colon = value.find(':');
    if (colon == std::string::npos) return request;
    // Absolute, since start-up changes to the program's directory before the first snapshot.
    request.folder = os::AbsolutePath(value.substr(colon + 1));
    std::stringstream list(value.substr(0, colon));
    for (std::string item; std::getline(list, item, ',');) {
        char* end = nullptr;
        const long frame = std::strtol(item.c_str(), &end, 10);
        if (!item.empty() && *end == '\0' && frame >= 0) request.frames.insert(frame);
    }
    return request;
}

} // namespace os
