// Commands of the runtime core: runtime errors and the end of the program.
#pragma once

// Records a runtime error number (and the current line) for the end of the program; gives the
// number back. Follow it with EndProgram.
double SetRuntimeError(double number);
// Marks the line of game source being executed.
void SetCurrentLine(double tag, double line);
// Releases every device and ends the process. The exit status is 0, or the runtime error's
// number when one was recorded (1 when that number is no valid status).
[[noreturn]] void EndProgram();
