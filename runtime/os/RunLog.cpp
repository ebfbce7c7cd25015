#include "os/RunLog.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "os/Printable.h"

namespace os {

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Pairs of hexadecimal digits and nothing else (no signs, no blanks).
bool Unhex(const std::string& hex, std::string& bytes) {
    if (hex.size() % 2) return false;
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high << 4 | low);
    }
    return true;
}

// Pointer coordinates from a run file lie within this bound; relative moves stop at it.
constexpr long kCoordinateLimit = 100000;

int AddCoordinate(int position, long delta) {
    return static_cast<int>(std::clamp(position + delta, -kCoordinateLimit, kCoordinateLimit));
}

// A whole number token; false when the token is not one or lies outside [low, high].
bool Integer(const std::string& token, long low, long high, long& value) {
    if (token.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(token.c_str(), &end, 10);
    return *end == '\0' && errno == 0 && value >= low && value <= high;
}

bool Real(const std::string& token, double& value) {
    if (token.empty()) return false;
    char* end = nullptr;
    value = std::strtod(token.c_str(), &end);
    return *end == '\0' && value == value;
}

std::string Number(double value) {
    char text[40];
    std::snprintf(text, sizeof(text), "%.17g", value);
    return text;
}

// Reads the event of tokens[at…]; scripts may move the mouse relatively ("mouse move dx dy"),
// so the pointer position the script has reached is carried in x and y.
bool ParseEvent(const std::vector<std::string>& tokens, size_t at, Event& event, int& x, int& y,
                std::string& error) {
    event = Event{};
    const size_t n = tokens.size() - at;
    const std::string& word = tokens[at];
    long a = 0, b = 0, c = 0, d = 0;
    if (word == "key" && (n == 3 || n == 4) && Integer(tokens[at + 1], 1, 255, a) &&
        (tokens[at + 2] == "down" || tokens[at + 2] == "up")) {
        event.type = tokens[at + 2] == "down" ? Event::Type::KeyDown : Event::Type::KeyUp;
        event.code = static_cast<int>(a);
        event.repeat = n == 4 && tokens[at + 3] == "repeat";
        return n == 3 || event.repeat || (error = "unknown key flag", false);
    }
    if (word == "mouse" && n == 4 && tokens[at + 1] == "move" &&
        Integer(tokens[at + 2], -100000, 100000, a) &&
        Integer(tokens[at + 3], -100000, 100000, b)) {
        event.type = Event::Type::MouseMotion;
        event.dx = static_cast<int>(a);
        event.dy = static_cast<int>(b);
        x = AddCoordinate(x, a);
        y = AddCoordinate(y, b);
        event.x = x;
        event.y = y;
        return true;
    }
    if (word == "mouse" && n == 5 && Integer(tokens[at + 1], -100000, 100000, a) &&
        Integer(tokens[at + 2], -100000, 100000, b) &&
        Integer(tokens[at + 3], -100000, 100000, c) &&
        Integer(tokens[at + 4], -100000, 100000, d)) {
        event.type = Event::Type::MouseMotion;
        event.x = x = static_cast<int>(a);
        event.y = y = static_cast<int>(b);
        event.dx = static_cast<int>(c);
        event.dy = static_cast<int>(d);
        return true;
    }
    if (word == "button" && (n == 3 || n == 5) && Integer(tokens[at + 1], 1, 32, a) &&
        (tokens[at + 2] == "down" || tokens[at + 2] == "up")) {
        event.type =
            tokens[at + 2] == "down" ? Event::Type::MouseButtonDown : Event::Type::MouseButtonUp;
        event.code = static_cast<int>(a) - 1;
        event.x = x;
        event.y = y;
        if (n == 5) {
            if (!Integer(tokens[at + 3], -100000, 100000, c) ||
                !Integer(tokens[at + 4], -100000, 100000, d))
                return error = "bad button position", false;
            event.x = x = static_cast<int>(c);
            event.y = y = static_cast<int>(d);
        }
        return true;
    }
    if (word == "wheel" && n == 2 && Integer(tokens[at + 1], -1000, 1000, a)) {
        event.type = Event::Type::MouseWheel;
        event.dy = static_cast<int>(a);
        return true;
    }
    if (word == "text" && n == 2) {
        std::string bytes;
        if (!Unhex(tokens[at + 1], bytes) || bytes.size() >= sizeof(event.text))
            return error = "bad text bytes", false;
        event.type = Event::Type::TextInput;
        bytes.copy(event.text, bytes.size());
        return true;
    }
    if (word == "focus" && n == 2 && (tokens[at + 1] == "lost" || tokens[at + 1] == "gained")) {
        event.type = tokens[at + 1] == "lost" ? Event::Type::FocusLost : Event::Type::FocusGained;
        return true;
    }
    if (word == "close" && n == 1) {
        event.type = Event::Type::CloseRequest;
        return true;
    }
    error = "unknown or malformed item '" + Printable(word) + "'";
    return false;
}

bool IsWindowEvent(const Event& event) {
    return event.type == Event::Type::FocusLost || event.type == Event::Type::FocusGained ||
           event.type == Event::Type::CloseRequest;
}

bool ParseJoystick(const std::vector<std::string>& tokens, size_t at, LoggedJoystick& stick) {
    // stick <index> <6 axes> <2 sliders> <4 pov> <buttons as 64 hex digits>
    if (tokens.size() - at != 15) return false;
    long value = 0;
    if (!Integer(tokens[at + 1], 0, 9, value)) return false;
    stick.index = static_cast<int>(value);
    for (int i = 0; i < 6; ++i) {
        if (!Integer(tokens[at + 2 + i], -2147483647L - 1, 2147483647L, value)) return false;
        stick.report.axes[i] = static_cast<int32_t>(value);
    }
    for (int i = 0; i < 2; ++i) {
        if (!Integer(tokens[at + 8 + i], -2147483647L - 1, 2147483647L, value)) return false;
        stick.report.sliders[i] = static_cast<int32_t>(value);
    }
    for (int i = 0; i < 4; ++i) {
        char* end = nullptr;
        const unsigned long pov = std::strtoul(tokens[at + 10 + i].c_str(), &end, 10);
        if (*end || tokens[at + 10 + i].empty() || pov > 0xFFFFFFFFul) return false;
        stick.report.pov[i] = static_cast<uint32_t>(pov);
    }
    std::string buttons;
    if (!Unhex(tokens[at + 14], buttons) || buttons.size() != 32) return false;
    buttons.copy(reinterpret_cast<char*>(stick.report.buttons), 32);
    return true;
}

} // namespace

std::string EventText(const Event& event) {
    switch (event.type) {
    case Event::Type::KeyDown:
    case Event::Type::KeyUp:
        return "key " + std::to_string(event.code) +
               (event.type == Event::Type::KeyDown ? " down" : " up") +
               (event.repeat ? " repeat" : "");
    case Event::Type::MouseMotion:
        return "mouse " + std::to_string(event.x) + " " + std::to_string(event.y) + " " +
               std::to_string(event.dx) + " " + std::to_string(event.dy);
    case Event::Type::MouseButtonDown:
    case Event::Type::MouseButtonUp:
        return "button " + std::to_string(event.code + 1) +
               (event.type == Event::Type::MouseButtonDown ? " down " : " up ") +
               std::to_string(event.x) + " " + std::to_string(event.y);
    case Event::Type::MouseWheel: return "wheel " + std::to_string(event.dy);
    case Event::Type::TextInput: return "text " + Hex(event.text);
    case Event::Type::FocusLost: return "focus lost";
    case Event::Type::FocusGained: return "focus gained";
    case Event::Type::CloseRequest: return "close";
    default: return "";
    }
}

bool ReadRunLog(const std::string& text, RunLog& log, std::string& error) {
    log = RunLog{};
    int lineNumber = 0;
    long frame = 0;
    bool sawHeader = false, sawEnd = false, cut = false;
    int x = 0, y = 0;
    // A recording cut off by a full disk or a crash ends inside a line: whatever that piece
    // would say, the file is incomplete.
    auto fail = [&](const std::string& why) {
        error = cut ? "truncated at line " + std::to_string(lineNumber)
                    : "line " + std::to_string(lineNumber) + ": " + why;
        return false;
    };
    for (size_t start = 0; start < text.size();) {
        const size_t newline = text.find('\n', start);
        cut = newline == std::string::npos;
        const size_t end = cut ? text.size() : newline;
        std::string line = text.substr(start, std::min(end - start, RunLog::kLongestLine + 1));
        start = cut ? end : end + 1;
        ++lineNumber;
        if (line.size() > RunLog::kLongestLine)
            return fail("longer than " + std::to_string(RunLog::kLongestLine) + " bytes");
        if (line.find('\0') != std::string::npos) return fail("zero byte in the line");
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.resize(hash);
        std::vector<std::string> tokens;
        for (size_t at = line.find_first_not_of(" \t\r\v\f"); at != std::string::npos;) {
            const size_t tokenEnd = line.find_first_of(" \t\r\v\f", at);
            tokens.push_back(line.substr(at, tokenEnd - at));
            at = tokenEnd == std::string::npos ? tokenEnd
                                               : line.find_first_not_of(" \t\r\v\f", tokenEnd);
        }
        if (tokens.empty()) continue;

        if (!sawHeader) {
            long version = 0;
            if (tokens.size() != 2 || tokens[0] != "vornic-replay")
                return fail("not a Vornic run file (no 'vornic-replay' line first)");
            if (!Integer(tokens[1], 0, 1000000, version) || version != RunLog::kVersion)
                return fail("version " + Printable(tokens[1]) + " is not the supported version " +
                            std::to_string(RunLog::kVersion));
            sawHeader = true;
            continue;
        }
        if (sawEnd) return fail("text after the end line");

        long value = 0;
        double real = 0;
        const std::string& word = tokens[0];
        if (word == "seed" && tokens.size() == 2) {
            if (!Integer(tokens[1], -2147483647L - 1, 2147483647L, value)) return fail("bad seed");
            log.seed = static_cast<int>(value);
            continue;
        }
        if (word == "frametime" && tokens.size() == 2) {
            if (!Real(tokens[1], real) || real < 0 || real > 1e6) return fail("bad frame time");
            log.frameTime = real;
            continue;
        }
        if (word == "keyboard" && tokens.size() == 2) {
            log.hasKeyboard = tokens[1] != "0";
            continue;
        }
        if (word == "keychar" && tokens.size() == 3) {
            long code = 0;
            if (!Integer(tokens[1], 0, 255, code) || !Integer(tokens[2], 0, 255, value))
                return fail("bad key character");
            log.keyCharacters[static_cast<int>(code)] = static_cast<int>(value);
            continue;
        }
        if (word == "joystick-name" && tokens.size() >= 2) {
            if (!Integer(tokens[1], 0, 9, value) || value != long(log.joystickNames.size()))
                return fail("joystick names must be numbered 0, 1, 2, ...");
            const size_t start = line.find(tokens[1]) + tokens[1].size();
            const size_t first = line.find_first_not_of(' ', start);
            log.joystickNames.push_back(first == std::string::npos ? "" : line.substr(first));
            continue;
        }
        if (word == "end" && tokens.size() == 2) {
            if (!Integer(tokens[1], -1, 2147483647L, value) || value < frame)
                return fail("bad end frame");
            log.lastFrame = value;
            sawEnd = true;
            continue;
        }

        size_t at = 0;
        if (word == "frame" || word == "frame:") {
            std::string number = tokens.size() > 1 ? tokens[1] : "";
            bool inlineItem = false;
            if (!number.empty() && number.back() == ':') {
                number.pop_back();
                inlineItem = true;
            }
            if (!number.empty() && number.find_first_not_of("0123456789") == std::string::npos &&
                !Integer(number, 0, 2147483647L, value))
                return fail("frame number " + number + " is larger than 2147483647");
            if (!Integer(number, 0, 2147483647L, value) || value < frame)
                return fail("frames must be numbered in increasing order");
            frame = value;
            if (tokens.size() == 2) continue;
            if (!inlineItem) return fail("write 'frame N: item' for an item on the frame line");
            at = 2;
        }
        LoggedFrame& logged = log.frames[frame];
        // "@<n>" places an event at the n-th input poll of its frame, "@w<n>" at the n-th
        // window poll; without either, focus and close go to the window, the rest to input.
        int poll = 0;
        enum class Channel { ByType, Window, Input } channel = Channel::ByType;
        if (tokens[at][0] == '@') {
            const bool window = tokens[at].size() > 1 && tokens[at][1] == 'w';
            if (!Integer(tokens[at].substr(window ? 2 : 1), 0, 1000000, value))
                return fail("bad poll number");
            poll = static_cast<int>(value);
            channel = window ? Channel::Window : Channel::Input;
            if (++at >= tokens.size()) return fail("poll number without an item");
        }
        const std::string& item = tokens[at];
        if (item == "t" && tokens.size() - at == 2) {
            if (!Real(tokens[at + 1], real)) return fail("bad clock value");
            logged.clockReads.push_back(real);
            continue;
        }
        if (item == "net") {
            // net <command> <result as hex, "-" when empty>
            LoggedNetResult net;
            if (tokens.size() - at != 3 || tokens[at + 1].empty() ||
                (tokens[at + 2] != "-" && !Unhex(tokens[at + 2], net.result)))
                return fail("bad network result");
            net.command = tokens[at + 1];
            logged.netResults.push_back(net);
            continue;
        }
        if (item == "stick") {
            LoggedJoystick stick;
            if (!ParseJoystick(tokens, at, stick)) return fail("bad joystick reading");
            logged.joysticks.push_back(stick);
            continue;
        }
        if (item == "pointer") {
            long px = 0, py = 0;
            logged.pointerChanged = true;
            if (tokens.size() - at == 2 && tokens[at + 1] == "none") {
                logged.pointerInside = false;
                continue;
            }
            if (tokens.size() - at != 3 || !Integer(tokens[at + 1], -100000, 100000, px) ||
                !Integer(tokens[at + 2], -100000, 100000, py))
                return fail("bad pointer position");
            logged.pointerInside = true;
            logged.pointerX = static_cast<int>(px);
            logged.pointerY = static_cast<int>(py);
            continue;
        }
        LoggedEvent logEvent;
        logEvent.poll = poll;
        std::string why;
        if (!ParseEvent(tokens, at, logEvent.event, x, y, why)) return fail(why);
        const bool toWindow = channel == Channel::Window ||
                              (channel == Channel::ByType && IsWindowEvent(logEvent.event));
        (toWindow ? logged.windowEvents : logged.inputEvents).push_back(logEvent);
    }
    if (!sawHeader) {
        error = lineNumber == 0 ? "empty file" : "no 'vornic-replay' line";
        return false;
    }
    if (!sawEnd) {
        error = "truncated at line " + std::to_string(lineNumber);
        return false;
    }
    return true;
}

void RunLogWriter::Header(int seed, bool hasKeyboard, const std::map<int, int>& keyCharacters,
                          const std::vector<std::string>& joystickNames) {
    out_ += "vornic-replay " + std::to_string(RunLog::kVersion) + "\n";
    out_ += "seed " + std::to_string(seed) + "\n";
    out_ += std::string("keyboard ") + (hasKeyboard ? "1" : "0") + "\n";
    for (const auto& [code, character] : keyCharacters)
        out_ += "keychar " + std::to_string(code) + " " + std::to_string(character) + "\n";
    for (size_t i = 0; i < joystickNames.size(); ++i)
        out_ += "joystick-name " + std::to_string(i) + " " + joystickNames[i] + "\n";
}

void RunLogWriter::At(long frame) {
    if (frame == frame_) return;
    frame_ = frame;
    out_ += "frame " + std::to_string(frame) + "\n";
}

void RunLogWriter::ClockRead(long frame, double value) {
    At(frame);
    out_ += "t " + Number(value) + "\n";
}

void RunLogWriter::Event(long frame, const char* channel, int poll, const os::Event& event) {
    const std::string text = EventText(event);
    if (text.empty()) return;
    At(frame);
    out_ += std::string(channel) + std::to_string(poll) + " " + text + "\n";
}

void RunLogWriter::WindowEvent(long frame, int poll, const os::Event& event) {
    Event(frame, "@w", poll, event);
}

void RunLogWriter::InputEvent(long frame, int poll, const os::Event& event) {
    Event(frame, "@", poll, event);
}

void RunLogWriter::Joystick(long frame, int index, const JoystickReport& report) {
    At(frame);
    out_ += "stick " + std::to_string(index);
    for (int32_t axis : report.axes)
        out_ += " " + std::to_string(axis);
    for (int32_t slider : report.sliders)
        out_ += " " + std::to_string(slider);
    for (uint32_t pov : report.pov)
        out_ += " " + std::to_string(pov);
    out_ += " " + Hex(std::string(reinterpret_cast<const char*>(report.buttons), 32)) + "\n";
}

void RunLogWriter::Pointer(long frame, bool inside, int x, int y) {
    At(frame);
    out_ += inside ? "pointer " + std::to_string(x) + " " + std::to_string(y) + "\n"
                   : std::string("pointer none\n");
}

void RunLogWriter::NetResult(long frame, const std::string& command, const std::string& result) {
    At(frame);
    out_ += "net " + command + " " + (result.empty() ? "-" : Hex(result)) + "\n";
}

void RunLogWriter::End(long lastFrame) {
    out_ += "end " + std::to_string(lastFrame) + "\n";
}

} // namespace os
