#include "text/TextErrors.h"

#include "core/CoreCommands.h"

void EndWithRuntimeError(int number) {
    SetRuntimeError(number);
    EndProgram();
}
