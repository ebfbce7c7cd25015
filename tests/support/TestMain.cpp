// The main of every test program: the environment every test runs in, then GoogleTest.
#include <cstdlib>
#include <gtest/gtest.h>

// Mesa's driver keeps a little memory of its own until the process ends; leak reports would
// only show that.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

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
    return RUN_ALL_TESTS();
}
