// The pixel work of texture uploads, done on the CPU: padding to powers of two, edge
// bleeding, normal maps, mipmap levels and the built-in font picture.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx2d/ImageCodec.h"

namespace gfx2d {

// The smallest power of two >= size, at least minimum.
int PowerOfTwoAtLeast(int size, int minimum);

// An RGBA buffer of texWidth x texHeight, zeroed, with the first copyWidth x copyHeight pixels
// of the picture flipped vertically into its first rows (texture rows run bottom-up).
std::vector<uint8_t> PadAndFlip(const DecodedImage& image, int copyWidth, int copyHeight,
                                int texWidth, int texHeight);

// Gives every transparent pixel with opaque-ish neighbours their average colour, so that linear
// filtering does not darken outlines. The buffer's outer rows and columns are never sampled.
void BleedEdges(std::vector<uint8_t>& rgba, int width, int height);

// Replaces the colours by a normal map computed from the blue channel (wrapping at the edges);
// alpha stays.
void MakeNormalMap(std::vector<uint8_t>& rgba, int width, int height);

// Builds the next mipmap level in place: each pixel from its 2 x 2 block weighted 4, 2, 2, 1
// (or 2, 1 where only two samples exist). Width and height become the halved sizes (>= 1).
void HalveMipLevel(std::vector<uint8_t>& rgba, int& width, int& height);

// The built-in font: 128 x 64 pixels, 16 x 8 cells of 8 x 8, white glyphs with dark outlines.
DecodedImage BuiltinFontPicture();

} // namespace gfx2d
