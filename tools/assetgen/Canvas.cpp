#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t ToByte(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

double Smoothstep(double t) {
    return t * t * (3 - 2 * t);
}

// Coverage of a pixel by a shape whose signed distance at its centre is d (negative inside).
double EdgeCoverage(double d) {
    return std::clamp(0.5 - d, 0.0, 1.0);
}

} // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {ToByte(a.r + (b.r - a.r) * t), ToByte(a.g + (b.g - a.g) * t),
            ToByte(a.b + (b.b - a.b) * t)};
}

Rgb Scale(Rgb colour, double factor) {
    return {ToByte(colour.r * factor), ToByte(colour.g * factor), ToByte(colour.b * factor)};
}

double HashNoise(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777215.0;
}

double SmoothNoise(double x, double y, double cellSize, int period, uint32_t seed) {
    const double gx = x / cellSize, gy = y / cellSize;
    const int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
    const double fx = Smoothstep(gx - ix), fy = Smoothstep(gy - iy);
    auto corner = [&](int cx, int cy) {
        return HashNoise(((cx % period) + period) % period, ((cy % period) + period) % period,
                         seed);
    };
    const double top = corner(ix, iy) + (corner(ix + 1, iy) - corner(ix, iy)) * fx;
    const double bottom = corner(ix, iy + 1) + (corner(ix + 1, iy + 1) - corner(ix, iy + 1)) * fx;
    return top + (bottom - top) * fy;
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Set(int x, int y, Rgb colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[Index(x, y)] = colour;
}

void Canvas::Blend(int x, int y, Rgb colour, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0) return;
    Rgb& pixel = pixels_[Index(x, y)];
    // Blending into the colour key would leave a fringe of pinkish pixels: edges there are
    // either in or out.
    if (pixel.r == kColourKey.r && pixel.g == kColourKey.g && pixel.b == kColourKey.b) {
        if (coverage >= 0.5) pixel = colour;
        return;
    }
    pixel = coverage >= 1 ? colour : Mix(pixel, colour, coverage);
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Rgb colour) {
    for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, width_ - 1); ++x)
            pixels_[Index(x, y)] = colour;
}

void Canvas::VerticalGradient(int y0, int y1, Rgb top, Rgb bottom) {
    for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); ++y) {
        const Rgb colour = Mix(top, bottom, y1 > y0 ? double(y - y0) / (y1 - y0) : 0.0);
        for (int x = 0; x < width_; ++x)
            pixels_[Index(x, y)] = colour;
    }
}

template <typename Coverage>
void Canvas::Paint(double x0, double y0, double x1, double y1, Rgb colour, Coverage cover) {
    const int left = std::max(0, static_cast<int>(std::floor(x0)) - 1);
    const int top = std::max(0, static_cast<int>(std::floor(y0)) - 1);
    const int right = std::min(width_ - 1, static_cast<int>(std::ceil(x1)) + 1);
    const int bottom = std::min(height_ - 1, static_cast<int>(std::ceil(y1)) + 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            Blend(x, y, colour, cover(x + 0.5, y + 0.5));
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb colour) {
    Paint(cx - rx, cy - ry, cx + rx, cy + ry, colour, [&](double px, double py) {
        const double nx = (px - cx) / rx, ny = (py - cy) / ry;
        const double d = (std::sqrt(nx * nx + ny * ny) - 1) * std::min(rx, ry);
        return EdgeCoverage(d);
    });
}

void Canvas::FillRoundRect(double x0, double y0, double x1, double y1, double radius, Rgb colour) {
    Paint(x0, y0, x1, y1, colour, [&](double px, double py) {
        const double qx = std::max({x0 + radius - px, px - (x1 - radius), 0.0});
        const double qy = std::max({y0 + radius - py, py - (y1 - radius), 0.0});
        const double inside = std::max(std::min(px - x0, x1 - px), 0.0);
        const double insideY = std::max(std::min(py - y0, y1 - py), 0.0);
        if (qx > 0 && qy > 0) return EdgeCoverage(std::hypot(qx, qy) - radius);
        return EdgeCoverage(0.5 - std::min(inside, insideY));
    });
}

void Canvas::Line(double x0, double y0, double x1, double y1, double width, Rgb colour) {
    const double half = width / 2;
    Paint(std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half,
          std::max(y0, y1) + half, colour, [&](double px, double py) {
              const double dx = x1 - x0, dy = y1 - y0;
              const double lengthSquared = dx * dx + dy * dy;
              double t =
                  lengthSquared > 0 ? ((px - x0) * dx + (py - y0) * dy) / lengthSquared : 0.0;
              t = std::clamp(t, 0.0, 1.0);
              return EdgeCoverage(std::hypot(px - (x0 + t * dx), py - (y0 + t * dy)) - half);
          });
}

void Canvas::FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2,
                          Rgb colour) {
    auto side = [](double ax, double ay, double bx, double by, double px, double py) {
        return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    Paint(std::min({x0, x1, x2}), std::min({y0, y1, y2}), std::max({x0, x1, x2}),
          std::max({y0, y1, y2}), colour, [&](double px, double py) {
              const double a = side(x0, y0, x1, y1, px, py);
              const double b = side(x1, y1, x2, y2, px, py);
              const double c = side(x2, y2, x0, y0, px, py);
              const bool inside = (a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0);
              return inside ? 1.0 : 0.0;
          });
}

gfx2d::SavedPicture Canvas::ToSavedPicture() const {
    gfx2d::SavedPicture picture;
    picture.width = width_;
    picture.height = height_;
    picture.bgrBottomUp.reserve(pixels_.size() * 3);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Rgb& pixel = pixels_[Index(x, y)];
            picture.bgrBottomUp.insert(picture.bgrBottomUp.end(), {pixel.b, pixel.g, pixel.r});
        }
    }
    return picture;
}

bool Canvas::SaveBmp(const std::string& path) const {
    return gfx2d::WriteBmpFile(path, ToSavedPicture());
}
