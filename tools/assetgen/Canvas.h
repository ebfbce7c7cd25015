// An RGB picture in memory with the few drawing operations the asset pictures are made of. It is
// written through the runtime's own BMP writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx2d/ImageCodec.h"

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

// The runtime's default transparency colour (red 255, green 0, blue 128): pixels of this colour
// vanish when a sprite is loaded.
constexpr Rgb kColourKey{255, 0, 128};

Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb colour, double factor);

// A repeatable value noise in 0..1: the same arguments give the same value on every run.
double HashNoise(int x, int y, uint32_t seed);
// Smooth value noise over a grid of cellSize pixels, wrapping every period cells so that
// tiles repeat without a seam.
double SmoothNoise(double x, double y, double cellSize, int period, uint32_t seed);

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Rgb colour);
    // Blends colour over the pixel with coverage 0..1; pixels outside are ignored.
    void Blend(int x, int y, Rgb colour, double coverage);

    void FillRect(int x0, int y0, int x1, int y1, Rgb colour);
    // Vertical gradient from top to bottom colour between rows y0 and y1.
    void VerticalGradient(int y0, int y1, Rgb top, Rgb bottom);
    // A filled ellipse with an anti-aliased edge.
    void FillEllipse(double cx, double cy, double rx, double ry, Rgb colour);
    // A rectangle with rounded corners and an anti-aliased edge.
    void FillRoundRect(double x0, double y0, double x1, double y1, double radius, Rgb colour);
    // A thick line with round ends.
    void Line(double x0, double y0, double x1, double y1, double width, Rgb colour);
    // A filled triangle (no anti-aliasing: used for sharp shapes).
    void FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2, Rgb colour);

    // The picture in the form the runtime's image writers take.
    gfx2d::SavedPicture ToSavedPicture() const;
    // Writes a 24-bit BMP; false when the file cannot be written.
    bool SaveBmp(const std::string& path) const;

  private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
    // Calls cover(x, y) for every pixel of the box and blends colour with the result.
    template <typename Coverage>
    void Paint(double x0, double y0, double x1, double y1, Rgb colour, Coverage cover);

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};
