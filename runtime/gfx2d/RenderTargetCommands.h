// Render targets for game code: drawing into a sprite instead of the screen. 32 targets, ids
// 0..31; each draws into the sprite it was created with.
#pragma once

// Makes sprite (0..65502) a blank, transparent picture of width x height and target the way to
// draw into it. Ignored for target ids outside 0..31, other sprite ids and sizes below 1; sides
// beyond 4096 are cut to 4096.
void CreateRenderTarget(double target, double sprite, double width, double height);
// Target 0..31: following drawing goes into the target's sprite (the one drawn into before is
// finished first); a negative id: back to the screen. Ids of 32 or more are ignored. Drawing
// still going into a target when the frame ends is finished by PresentFrame.
void SetRenderTarget(double target);
