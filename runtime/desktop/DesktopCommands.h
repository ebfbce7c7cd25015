// Commands that reach the desktop around the game: a console window, background music, movies,
// the file dialog, other programs and the window's id.
#pragma once

#include "text/RtString.h"

// Gives the program a terminal window for its standard input and output, unless standard
// output already goes to a terminal. Without a terminal program the streams stay as they are.
void OpenConsole();
// The window system's id of the game window (an X11 window id); 0 without a window.
double GetWindowHandle();

// Plays a music file (OGG, MP3, FLAC, WAV, MOD, MIDI where the mixer decodes them) over and
// over until StopMusic; whatever music played before stops first. A file that cannot be played
// plays nothing.
void PlayMusic(const RtString& fileName);
// The music's volume, 0..1, in thousandths (truncated).
void SetMusicVolume(double volume);
// Stops the music; the next PlayMusic starts from the beginning.
void StopMusic();
// Plays a movie in the window, scaled to fit and centred, until it ends (or forever when loop
// is non-zero); any key or mouse button ends it. 0, or 3 when it cannot be shown at all.
double PlayMovie(const RtString& fileName, double loop);

// The desktop's open (open non-zero) or save dialog. filter is "description|pattern|..."
// with patterns such as "*.bmp;*.png". Gives the chosen path with "/" separators, or "NO_FILE"
// when the dialog was cancelled or none could be shown.
RtString FileRequester(const RtString& filter, double open);
// Starts a program: the command line is split at blanks (double quotes group) and run
// directly, without a shell. With wait non-zero it waits and sets exitCode (128 + the signal for
// a program ended by a signal); show 0 sends the program's output to /dev/null. 1 when it
// started, else 0 (exitCode 0).
double RunProgram(const RtString& commandLine, double wait, double show, double& exitCode);
