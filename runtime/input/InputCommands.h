// Keyboard, mouse and joystick commands for game code. Keys are addressed by key code (the
// DirectInput scan code: 1 Escape, 28 Enter, 57 Space, 200 Up, 208 Down, 203 Left, 205 Right);
// a missing device reads as nothing pressed.
#pragma once

#include "text/RtString.h"

// 1 while the key with this code (truncated, then taken modulo 256) is down, else 0.
double KeyDown(double code);
// The pointer clamped to the screen (the stored pointer keeps the clamped values) and the left
// and right buttons as 1 or 0; all 0 without an input device.
void GetMouseState(double& x, double& y, double& button1, double& button2);
// 0 dx, 1 dy, 2 wheel (-1, 0, 1) of this frame, 3 left, 4 right, 5 middle button (1 or 0);
// 0 for any other index.
double GetMouseAxis(double index);
// Sets the program's pointer position; the system pointer does not move.
void SetMousePosition(double x, double y);
// Non-zero: the free system pointer; zero: the mouse captured by the program.
void SetMouseFree(double flag);
// Shows (non-zero) or hides (zero) the system pointer.
void ShowMouseCursor(double flag);
// The newly typed character as a one-character text; empty when there is none (a held key
// types once).
RtString GetTypedKey();

// Joystick n's axes scaled to -1..1; 0 for a joystick that does not exist.
double JoystickX(double n);
double JoystickY(double n);
double JoystickZ(double n);
double JoystickRX(double n);
double JoystickRY(double n);
double JoystickRZ(double n);
// Joystick n's first hat: 1 right, -1 left, else 0.
double JoystickHatX(double n);
// Joystick n's first hat: -1 up, 1 down, else 0.
double JoystickHatY(double n);
// Joystick 0: x and y as whole steps of 30000, buttons 0 and 1 as their state bytes (128 while
// down); all 0 without a joystick.
void JoystickState(double& x, double& y, double& button1, double& button2);
// Joystick n's name; empty when n is not a joystick number.
RtString JoystickName(double n);
// The number of joysticks.
double JoystickCount();
// A constant force along (x, y) (each -1..1) for ms milliseconds; ignored by joysticks without
// force feedback.
void JoystickRumble(double n, double ms, double x, double y);

// Waits until a key is newly typed.
void WaitForKey();
// Waits until a mouse button is pressed, after any button held at the call was released.
void WaitForMouse();
// Lets the player edit a line, shown with the current font at (x, y) over the frozen screen,
// until Enter; Backspace removes the last character. Returns the line.
RtString InputText(const RtString& initial, double x, double y);
