// Sound commands: WAV files loaded into numbered slots 0..127 and played with a stereo
// position and a volume. Without a sound device every load fails and nothing plays.
#pragma once

#include "text/RtString.h"

// Loads the WAV file into slot (0..127; above 127 is 127) with 1..4 copies, so that the sound
// can overlap itself; whatever the slot held goes first. Gives 1, or 0 when the file cannot be
// read or played (the slot is then empty) or the slot is negative.
double LoadSound(const RtString& fileName, double slot, double copies);
// Plays the sound in slot (above 127 is 127) once, with pan -1 (left) .. 1 (right) and volume
// 0 (silent) .. 1 (full). Gives the channel handle 256 × slot + copy, or -1 when the slot is
// empty or negative, or its only copy still plays (that sound then runs on).
double PlaySound(double slot, double pan, double volume);
// Gives 1 while the channel handle from PlaySound still plays, else 0 (also for a negative
// handle or one that names no loaded copy).
double IsSoundPlaying(double handle);
// Stops every sound that plays.
void StopAllSounds();
