// A running runtime with a fresh game: the built-in font in fonts 0 and 1, start values set
// and a level of four crabs started, every crab still and far from the hero unless a test
// moves it. Keys reach the game through the real event queue (PushKey).
#pragma once

#include "GameState.h"
#include "support/SdlEvents.h"
#include "support/TestRuntime.h"

class GameTest : public GlRuntimeTest {
  protected:
    void SetUp() override;
    // Crab i, still and healthy, at (x, z).
    static void PlaceCrab(double i, double x, double z);
    // True when the back buffer shows text in font at (x, y) as PrintText draws it there on
    // an empty frame. Presents the frame it looked at.
    static bool ShowsText(const char* text, double font, double x, double y);
};
