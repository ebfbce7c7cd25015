// Bitmap fonts and text printing for game code. There are 32 fonts (ids 0..31); text is
// printed fixed-width with the current font, without line breaks.
#pragma once

#include "text/RtString.h"

// Loads a font picture (16 glyph columns; 16 rows when at least as tall as wide, else 8) into font
// id (clamped to 0..31) and makes it current. A missing or unreadable file gives the built-in 8 x 8
// font instead.
void LoadFont(const RtString& file, double id);
// Makes font id (clamped to 0..31) current.
void SetFont(double id);
// Writes the glyph size of the current font into width and height (0 x 0 when it is empty).
void GetFontSize(double& width, double& height);
// Prints text with the current font, the first glyph's top-left corner at (x, y).
void PrintText(const RtString& text, double x, double y);
// Prints a number as its text, like PrintText.
void PrintNumber(double number, double x, double y);
