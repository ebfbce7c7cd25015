#include "files/FileState.h"

#include "core/ErrorLog.h"
#include "core/Runtime.h"

FileState& Files() {
    Runtime& rt = Rt();
    if (!rt.files) {
        rt.files = std::make_unique<FileState>();
        // Changed line and INI files are saved however the program ends.
        RunAtEnd(WriteBackDataFiles);
    }
    return *rt.files;
}

void WriteBackDataFiles() {
    Runtime& rt = Rt();
    if (!rt.files) return;
    rt.files->lineFile.WriteBack();
    rt.files->ini.WriteBack();
}
