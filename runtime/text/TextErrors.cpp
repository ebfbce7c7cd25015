#include "text/TextErrors.h"

#include "core/ErrorCommands.h"

void text::EndWithRuntimeError(int number) {
    SetRuntimeError(number);
    EndProgram();
}
