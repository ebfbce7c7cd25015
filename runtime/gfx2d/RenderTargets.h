// Drawing into sprites: a render target directs the following drawing into its sprite, through
// the target's framebuffer when the GL has one for it, otherwise by drawing on the screen's
// corner and copying the picture into the sprite (the screen there is saved in the reserved
// sprite 65503 and put back).
#pragma once

class OpenGLRainbows;

// Holds what the screen showed under a target drawn by copying.
const int kTargetSaveSprite = 65503;
// The largest side of a target's picture (a 4096 x 4096 texture takes 64 MiB).
const int kLargestTargetSide = 4096;

namespace gfx2d {

// Makes sprite a blank, fully transparent picture of width x height (a power-of-two texture
// around it) and gives the target a framebuffer for it. Ignored for targets outside 0..31,
// sprites outside 0..65502 and sizes below 1; sizes are cut to kLargestTargetSide and to the
// largest texture the GL takes. True when the target was made.
bool CreateRenderTarget(OpenGLRainbows& device, int target, int sprite, int width, int height);
// Ends the current target and directs drawing into target's sprite, continuing on the picture
// it holds, with the 2D viewport over that picture and a cleared depth buffer. A negative
// target only ends the current one; targets of 32 or more are ignored; a target never created
// (or whose sprite is empty) leaves drawing on the screen.
void SetRenderTarget(OpenGLRainbows& device, int target);
// Finishes the current target: its sprite holds what was drawn, the screen is as before and
// the 2D viewport covers it again. Nothing happens when drawing goes to the screen.
void EndRenderTarget(OpenGLRainbows& device);

} // namespace gfx2d
