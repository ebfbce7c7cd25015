// Settings files of game code: line files (a text file addressed by line number 0..255, kept in
// memory and written back when another line file is used or the program ends), one INI file
// (sections of keys, written back when another is opened or the program ends), and fixed facts
// about the platform. Write-backs replace the file whole: it is never left half-written.
#pragma once

#include "text/RtString.h"

// Line `line` of a text file without its trailing control bytes; "NO_DATA" when that is empty
// or the line lies outside 0..255 (which records runtime error 7), "NO_FILE" when the file
// cannot be found.
RtString GetLineText(const RtString& fileName, double line);
// The number at the start of GetLineText (0 for "NO_DATA" and "NO_FILE").
double GetLineNumber(const RtString& fileName, double line);
// Sets line `line` of a text file (saved later); 0, or 7 when the line lies outside 0..255
// (runtime error 7 is recorded, the program goes on).
double PutLineText(const RtString& fileName, double line, const RtString& text);
// PutLineText with the number as text.
double PutLineNumber(const RtString& fileName, double line, double number);

// Saves the open INI file when changed, then reads another (a missing file gives an empty
// store that is created when written back).
void IniOpen(const RtString& fileName);
// The value of a key in a section (names without regard to case); "NO_DATA" when missing.
RtString IniGet(const RtString& section, const RtString& key);
// Sets a key; an empty value removes the key, an empty key removes the whole section.
void IniPut(const RtString& section, const RtString& key, const RtString& value);

// Facts about the platform by key (case ignored): "" gives "WIN32", "DEVICE" "DESKTOP",
// "ID" 8 hexadecimal digits naming this machine, "TIME" the local time as
// "2007-12-5  9: 5: 3", "GLEXT:name" "1" when the GL entry point name exists (else "0");
// anything else "NO_DATA".
RtString PlatformInfo(const RtString& key);
