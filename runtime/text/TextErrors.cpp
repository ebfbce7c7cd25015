#include "text/TextErrors.h"

#include "core/ErrorCommands.h"

void EndWithRuntimeError(int number) {
    SetRuntimeError(number);
    EndProgram();
}
