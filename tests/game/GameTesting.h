// A running runtime with a fresh game: start values set and a level of a few crabs started,
// every crab placed far from the hero unless a test moves it.
#pragma once

#include "GameState.h"
#include "support/TestRuntime.h"

class GameTest : public GlRuntimeTest {
  protected:
    void SetUp() override;
    // Crab i, still and healthy, at (x, z).
    static void PlaceCrab(double i, double x, double z);
};
