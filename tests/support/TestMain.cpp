// The main of every test program: the environment every test runs in, then GoogleTest.
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>

// Mesa's driver keeps a little memory of its own until the process ends; leak reports would
// only show that.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

namespace {

// Code under test that ends the process (an exit deep inside a command) would end the test
// program with status 0 while a test runs: the test would pass unchecked and the tests after
// it would never run. This listener turns such an end into a loud failure.
class ExitInsideTestGuard : public testing::EmptyTestEventListener {
  public:
    static void Install() {
        testing::UnitTest::GetInstance()->listeners().Append(new ExitInsideTestGuard);
        std::atexit(OnExit);
    }

    void OnTestStart(const testing::TestInfo& test) override {
        std::snprintf(running_, sizeof running_, "%s.%s", test.test_suite_name(), test.name());
        owner_ = getpid();
    }
    void OnTestEnd(const testing::TestInfo&) override { running_[0] = 0; }

  private:
    static void OnExit() {
        // A death test's forked child ends inside the test on purpose.
        if (!running_[0] || getpid() != owner_) return;
        std::fprintf(stderr, "\nFAILED: %s ended the test program while it ran\n", running_);
        std::fflush(stderr);
        _exit(1);
    }

    static char running_[512];
    static pid_t owner_;
};

char ExitInsideTestGuard::running_[512] = {};
pid_t ExitInsideTestGuard::owner_ = 0;

} // namespace

int main(int argc, char** argv) {
    // No display and no sound card needed: SDL's offscreen video driver gives a real GL context
    // on Mesa's software rasteriser, the dummy audio driver swallows the sound. A caller may
    // choose others.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("VORNIC_NO_MESSAGE_BOX", "1", 0);
    // Death tests start a fresh process: SDL and the GL driver run threads of their own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testing::InitGoogleTest(&argc, argv);
    // The process a death test starts afresh runs only that test's statement, which ends it.
    if (GTEST_FLAG_GET(internal_run_death_test).empty()) ExitInsideTestGuard::Install();
    return RUN_ALL_TESTS();
}
