// The file of a recorded run: a versioned, line-based text that a person or a test can also
// write by hand. Its format is described in docs/record-replay.md.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "os/Input.h"
#include "os/Window.h"

namespace os {

// An event and the poll of its frame that delivered it (its ordinal among the polls of that
// kind in the frame; 0 for the first).
struct LoggedEvent {
    int poll = 0;
    Event event;
};

struct LoggedJoystick {
    int index = 0;
    JoystickReport report;
};

// The result of a network command, as text.
struct LoggedNetResult {
    std::string command;
    std::string result;
};

// Everything that happened in one frame.
struct LoggedFrame {
    std::vector<double> clockReads;
    std::vector<LoggedEvent> windowEvents; // focus and close
    std::vector<LoggedEvent> inputEvents;  // keys, mouse, text
    std::vector<LoggedJoystick> joysticks; // readings that changed
    bool pointerChanged = false;
    bool pointerInside = false;
    int pointerX = 0, pointerY = 0;
    std::vector<LoggedNetResult> netResults; // in the order the commands ran
};

struct RunLog {
    static const int kVersion = 1;
    // The longest line a run file may have (the recorder's longest, a joystick reading, takes
    // about 200 bytes) and the largest file read as one.
    static constexpr size_t kLongestLine = 4096;
    static constexpr size_t kLargestFile = size_t{64} << 20;

    int seed = 0;
    double frameTime = 0; // clock step per frame where no clock value was recorded
    bool hasKeyboard = true;
    std::map<int, int> keyCharacters;
    std::vector<std::string> joystickNames;
    long lastFrame = -1;
    std::map<long, LoggedFrame> frames;
};

// Reads a run file. On failure returns false and says why (with the line number) in error;
// input quoted there has its control bytes escaped. A file whose last line has no line end
// and no "end" line before it was cut off: "truncated at line N".
bool ReadRunLog(const std::string& text, RunLog& log, std::string& error);

// Writes the lines of a run file as the run goes on.
class RunLogWriter {
  public:
    explicit RunLogWriter(std::string* out) : out_(*out) {}
    void Header(int seed, bool hasKeyboard, const std::map<int, int>& keyCharacters,
                const std::vector<std::string>& joystickNames);
    void ClockRead(long frame, double value);
    void WindowEvent(long frame, int poll, const os::Event& event);
    void InputEvent(long frame, int poll, const os::Event& event);
    void Joystick(long frame, int index, const JoystickReport& report);
    void Pointer(long frame, bool inside, int x, int y);
    void NetResult(long frame, const std::string& command, const std::string& result);
    void End(long lastFrame);

  private:
    void At(long frame);
    void Event(long frame, const char* channel, int poll, const os::Event& event);
    std::string& out_;
    long frame_ = -1;
};

// The text of an event in a run file ("key 57 down", "mouse 10 20 1 -2", …); "" for events
// that are never recorded.
std::string EventText(const Event& event);

} // namespace os
