// Helpers for tests that need a running runtime.
#pragma once

#include <gtest/gtest.h>

#include "os/headless/Headless.h"

// Starts the real runtime for each test: SDL's offscreen driver gives a GL context on Mesa's
// software rasteriser, so drawing can be read back. Shuts it down afterwards.
class GlRuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Starts the runtime on the headless platform: a clock the test moves and scripted events.
class HeadlessRuntimeTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    os::HeadlessHandles headless;
};

// The colour number (R + G*256 + B*65536) of the back-buffer pixel at (x, y), measured from
// the top-left of the screen.
unsigned ReadPixel(int x, int y);
