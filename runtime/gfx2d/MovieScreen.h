// A picture replaced every frame (a movie's), drawn into a rectangle of an otherwise black
// screen.
#pragma once

#include <cstdint>

class OpenGLRainbows;

class MovieScreen {
  public:
    MovieScreen(OpenGLRainbows& device, int width, int height);
    ~MovieScreen();
    MovieScreen(const MovieScreen&) = delete;
    MovieScreen& operator=(const MovieScreen&) = delete;

    // Clears the back buffer to black and draws the RGBA picture (width x height of the
    // constructor, top row first) into the rectangle, given in screen pixels from the top left.
    void Show(const uint8_t* rgba, int x, int y, int width, int height);

  private:
    OpenGLRainbows& device_;
    int width_, height_;
    unsigned texture_ = 0;
};
