// Commands of the top layer: the frame loop, timers, the screen, the command line, ending and
// restarting. The error commands below it come with them.
#pragma once

#include "core/ErrorCommands.h"
#include "text/RtString.h"

// The game's main routine; the runtime calls it once start-up is done. Provided by the game.
void GameMain();
// The window title of the game; provided by the game.
extern const char kGameTitle[];

// Ends the frame: shows what was drawn, keeps the window alive, polls input once, handles the
// quit keys and pausing, and waits out the minimum frame time. The next frame starts cleared,
// with the 2D projection and background block 0 drawn.
void PresentFrame();
// Sets the frame rate the pacing aims at; 0 or less means at most one frame every 2 ms.
void LimitFrameRate(double framesPerSecond);
// Milliseconds since the end of start-up.
double GetTimerMs();
// Milliseconds between the last two frames; never 0 or less (1 when the clock stood still).
double GetFrameTime();
// Pause while the window is inactive (non-zero, the default) or keep running (0).
void SetAutoPause(double flag);
// Let Escape end the program (non-zero, the default) or not (0). Alt+F4 always ends it.
void SetEscapeQuits(double flag);

// Changes the screen size and switches between full screen (flag non-zero) and a window.
void SetScreenMode(double width, double height, double fullScreen);
// Confines 2D drawing to a rectangle measured from the top-left of the screen.
void SetViewport(double x, double y, double width, double height);
// Writes the screen size into width and height.
void GetScreenSize(double& width, double& height);

// The text after the program name on the command line.
RtString CommandLine();

// Releases every device, starts the command line as a new process and ends this one.
[[noreturn]] void EndAndRun(const RtString& commandLine);
// With a debugger attached: hides the window and sends "BP" and n in hexadecimal to it.
void DebugBreakpoint(double n);
// Appends a line to the runtime log ("null" for an empty text); in debug mode with a debugger
// attached the text goes to the debugger instead.
void WriteLog(const RtString& text);
