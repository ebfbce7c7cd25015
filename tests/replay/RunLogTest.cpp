// The run file: what the recorder writes reads back the same (what a live run cannot give: a
// joystick, typed text, window events), and broken files get clear answers. Hand-written
// scripts and replays of a real program are the scripts' part (scripted_run.sh,
// record_then_replay.sh).
#include <gtest/gtest.h>

#include <tuple>

#include "os/RunLog.h"

using namespace std::string_literals;

namespace {

TEST(RunLog, WrittenRunReadsBackTheSame) {
    std::string text;
    os::RunLogWriter writer(&text);
    writer.Header(-77, true, {{30, 'a'}, {57, ' '}}, {"Pad, Maker Pad"});
    writer.ClockRead(0, 1234.5678901234);
    writer.InputEvent(3, 2, {os::Event::Type::KeyDown, 57});
    os::Event typed{os::Event::Type::TextInput};
    std::snprintf(typed.text, sizeof(typed.text), "a b\xC3\xA9");
    writer.InputEvent(3, 3, typed);
    writer.WindowEvent(4, 0, {os::Event::Type::FocusLost});
    writer.WindowEvent(4, 1, {os::Event::Type::KeyDown, 30});
    os::JoystickReport stick;
    stick.axes[0] = -32768;
    stick.pov[1] = 4500;
    stick.buttons[31] = 0x80;
    writer.Joystick(4, 0, stick);
    writer.Pointer(5, true, 10, 20);
    writer.End(6);

    os::RunLog log;
    std::string error;
    ASSERT_TRUE(os::ReadRunLog(text, log, error)) << error << "\n" << text;
    EXPECT_EQ(std::tuple(log.seed, log.keyCharacters.at(57), log.joystickNames, log.lastFrame),
              std::tuple(-77, ' ', std::vector<std::string>{"Pad, Maker Pad"}, 6));
    EXPECT_EQ(log.frames.at(0).clockReads.at(0), 1234.5678901234);
    const auto& input = log.frames.at(3).inputEvents;
    ASSERT_EQ(input.size(), 2u);
    EXPECT_EQ(std::tuple(input[0].poll, input[0].event.code), std::tuple(2, 57));
    EXPECT_STREQ(input[1].event.text, "a b\xC3\xA9");
    const auto& window = log.frames.at(4).windowEvents;
    ASSERT_EQ(window.size(), 2u);
    EXPECT_EQ(std::tuple(window[0].event.type, window[1].poll, window[1].event.code),
              std::tuple(os::Event::Type::FocusLost, 1, 30));
    const os::JoystickReport& read = log.frames.at(4).joysticks.at(0).report;
    EXPECT_EQ(std::tuple(read.axes[0], read.pov[1], read.pov[0], read.buttons[31]),
              std::tuple(-32768, 4500u, os::kCentredPov, 0x80));
    EXPECT_TRUE(log.frames.at(5).pointerInside);
}

// A broken file and what its error must say (a text may hold zero bytes; a line may be 4096
// bytes long).
TEST(RunLog, BrokenFilesSayWhatIsWrong) {
    const std::pair<std::string, const char*> cases[] = {
        {"", "empty"},
        {"hello\n", "not a Vornic run file"},
        {"vornic-replay 2\nend 1\n", "version 2"},
        {"vornic-replay 1\nframe 3: key 57 down\n", "truncated at line 2"},
        // A recording cut inside a line, whatever the piece would mean.
        {"vornic-replay 1\nframe 12\nframe 1", "truncated at line 3"},
        {"vornic-replay 1\nframe 100000000000000000000\nend 5\n",
         "frame number 100000000000000000000 is larger than 2147483647"},
        {"vornic-replay 1\nframe 2: text +1\nend 5\n", "bad text bytes"},
        {"vornic-replay 1\nframe 2: key 1 do\0wn\nend 5\n"s, "line 2: zero byte"},
        {"vornic-replay 1\n\x1b]0;x\x07 1\nend 5\n", "item '\\x1b]0;x\\x07'"},
        {"vornic-replay 1\nframe 5\nframe 4\nend 5\n", "increasing"},
        {"vornic-replay 1\nframe 2: t nan\nend 5\n", "clock"},
        {"vornic-replay 1\nframe 2: text 4\nend 5\n", "text"},
        {"vornic-replay 1\nframe 2: stick 0 1 2\nend 5\n", "joystick"},
        {"vornic-replay 1\nend 5\nframe 6\n", "after the end"},
        {"vornic-replay 1\nframe 2: @x key 1 down\nend 5\n", "poll"},
        {"vornic-replay 1\n#" + std::string(os::RunLog::kLongestLine, '#') + "\nend 1\n",
         "longer than 4096 bytes"},
    };
    for (const auto& [text, says] : cases) {
        os::RunLog log;
        std::string error;
        EXPECT_FALSE(os::ReadRunLog(text, log, error)) << text;
        EXPECT_NE(error.find(says), std::string::npos) << text << " gave: " << error;
    }
}

TEST(RunLog, RelativeMovesStopAtTheCoordinateBoundAndALongestLineIsRead) {
    // 21475 moves of 100000 would overflow an int; the pointer stops at the bound instead.
    // The longest line a run file may hold comes first.
    std::string script = "vornic-replay 1\n" + std::string(os::RunLog::kLongestLine, '#') + "\n";
    for (int i = 0; i < 21475; ++i)
        script += "frame 1: mouse move 100000 -100000\n";
    script += "frame 2: mouse move -3 7\nend 2\n";
    os::RunLog log;
    std::string error;
    ASSERT_TRUE(os::ReadRunLog(script, log, error)) << error;
    const os::Event &bound = log.frames.at(1).inputEvents.back().event,
                    back = log.frames.at(2).inputEvents.at(0).event;
    EXPECT_EQ(std::tuple(bound.x, bound.y, back.x, back.y),
              std::tuple(100000, -100000, 99997, -99993));
}

} // namespace
