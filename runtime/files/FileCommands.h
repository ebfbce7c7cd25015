// File commands of game code: eight numbered channels (0..7) with typed reads and writes
// (little-endian), whole-file helpers, the current folder, folder listings and the resource
// packs. Names may separate folders with "/" or "\\"; names handed back use "/".
// A channel number outside 0..7 ends the program with runtime error 7; a short read or write
// or the use of a closed channel ends it with runtime error 3 (the variable then holds what was
// read so far, 0 for a number).
#pragma once

#include "text/RtString.h"

struct StrArray;

// Opens a file on a channel, first closing what it held: for reading (flag non-zero) an
// existing file; for writing (flag 0) a new or emptied file. 1 on success, 0 otherwise.
double OpenFile(double channel, const RtString& fileName, double forReading);
// Closes the channel's file; nothing happens when it is closed.
void CloseFile(double channel);
// 1 when the reads have consumed the file (always for channels that are closed, open for
// writing or outside 0..7), else 0.
double EndOfFile(double channel);

// Reads one byte (0..255).
void ReadByte(double channel, double& variable);
// Reads an unsigned 16-bit word.
void ReadWord(double channel, double& variable);
// Reads an unsigned 32-bit long.
void ReadLong(double channel, double& variable);
// Reads an 8-byte IEEE double.
void ReadIEEE(double channel, double& variable);
// Reads count bytes; the text is the bytes up to the first zero byte. count <= 0 reads nothing
// and gives "".
void ReadString(double channel, RtString& variable, double count);
// Reads a text line without its line end ("\n" or "\r\n"); a line of more than 1024 bytes
// comes in pieces of 1024. Reading at the very end of the file is an error: test EndOfFile.
void ReadLine(double channel, RtString& variable);
// Reads a line and gives the number at its start (0 when there is none).
void ReadNumberLine(double channel, double& variable);

// Writes the low 8 bits of the truncated value.
void WriteByte(double channel, double value);
// Writes the low 16 bits of the truncated value.
void WriteWord(double channel, double value);
// Writes the low 32 bits of the truncated value.
void WriteLong(double channel, double value);
// Writes the 8 bytes of the double.
void WriteIEEE(double channel, double value);
// Writes the text's bytes, without a terminator.
void WriteString(double channel, const RtString& text);
// Writes the text followed by "\r\n".
void WriteLine(double channel, const RtString& text);
// Writes the number as text followed by "\r\n".
void WriteNumberLine(double channel, double value);

// The size of a file in bytes; 0 when it cannot be opened.
double FileSize(const RtString& fileName);
// 1 when the file can be opened for reading, else 0.
double FileExists(const RtString& fileName);
// Deletes a file; failures are silent.
void RemoveFile(const RtString& fileName);
// Copies a file; on failure the destination is deleted, and nothing happens when the source
// is missing or is the destination itself.
void DuplicateFile(const RtString& source, const RtString& destination);
// The current folder with "/" separators, ending in "/"; "" when it cannot be read.
RtString GetCurrentDir();
// Changes the current folder; 1 on success, else 0.
double SetCurrentDir(const RtString& folder);
// Fills names with the folders of the current folder ("." and ".." included) and then the
// files matching pattern ("*" and "?" wildcards), each group sorted by name without regard to
// case; gives folders * 65536 + files.
double GetFileList(const RtString& pattern, StrArray& names);
// True when name matches the pattern: "*" any run of characters, "?" any one but ".", letters
// without regard to case.
bool WildcardMatch(const RtString& pattern, const RtString& name);

// Names the resource packs of the two lookups (empty: none); deletes their temporary files.
void SetResourcePacks(const RtString& firstPack, const RtString& secondPack);
// Finds a file on disk, else in the first resource pack (expanded into a temporary file that
// the next lookup deletes). 1 with the path to open in outName, else 0 and "".
double ResolveResourceFile(const RtString& name, RtString& outName);
