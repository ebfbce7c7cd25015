// Pictures taken from and written out of the frame buffer: sprite grabs, saved files, and the
// background blocks drawn under every frame.
#pragma once

#include <string>

class OpenGLRainbows;

namespace gfx2d {

// Makes sprite id from the back-buffer rectangle (x, y, width, height), top-left origin.
// Returns 1, or 0 for an invalid id or an empty rectangle.
int GrabSprite(OpenGLRainbows& device, int id, int x, int y, int width, int height);
// Write the sprite's whole texture, or the back buffer, as PNG or BMP (chosen by the name).
// 1 when the file was written, 0 otherwise.
int SaveSprite(OpenGLRainbows& device, const std::string& path, int id);
int SaveScreen(OpenGLRainbows& device, const std::string& path);

// Deletes a background block's tiles.
void ClearBackgroundBlock(OpenGLRainbows& device, int block);
// Copies the whole back buffer into a background block.
void GrabScreenIntoBlock(OpenGLRainbows& device, int block);
// Loads a picture file (already resolved) into background block 0 and draws it; when it
// cannot be loaded, block 0 is emptied and the colour buffer cleared. Returns 1 or 0.
int LoadBackground(OpenGLRainbows& device, const std::string& path);
// Draws a background block's tiles from the top-left of the screen.
void DrawBackgroundBlock(OpenGLRainbows& device, int block);

} // namespace gfx2d
