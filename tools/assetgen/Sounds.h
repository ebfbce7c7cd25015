// The game's sounds, synthesised: mono 16-bit PCM WAV files.
#pragma once

#include <string>

// Writes every sound file into folder/wav; false when one cannot be written.
bool WriteSounds(const std::string& folder);
