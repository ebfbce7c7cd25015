// The process-wide settings: the entry point writes the first group before start-up, start-up
// reads the environment into the second (the one place that reads environment variables).
#pragma once

#include <set>
#include <string>

#include "os/Backend.h"

struct RuntimeSettings {
    int screenWidth = 800;
    int screenHeight = 600;
    int fullScreen = 0;
    int samples = 0;
    int frameRate = 60;
    int debugMode = 0;
    int mouseCapture = 1;
    int autoPause = 1;
    int quitKeys = 1;
    // Network conditions to simulate (VORNIC_NET_SIM, "loss=0.1,delay=80,jitter=20,dup=0.02").
    std::string netSimulation;

    // TMPDIR, ending with '/': where the log and the expanded pack entries go.
    std::string tempDirectory = "/tmp/";
    // Off with VORNIC_NO_MESSAGE_BOX: the software-renderer warning is only logged.
    bool messageBoxes = true;
    // VORNIC_NO_FRAMEBUFFERS and VORNIC_NO_SHADERS: the GL's framebuffer objects (render targets
    // then copy from the screen) or its shader objects go unused, as on a driver without them.
    bool framebuffersOff = false;
    bool shadersOff = false;
    // VORNIC_PRINT_LOG: where every printed text is noted; empty for nowhere.
    std::string printLogPath;
    // VORNIC_SEED as written: fixes the random seed of an ordinary run when it is a number.
    std::string fixedSeed;
    // VORNIC_RECORD, VORNIC_REPLAY and VORNIC_REPLAY_REALTIME.
    os::RunRequest run;
    // VORNIC_SNAPSHOT: the frames whose picture is saved, and the folder (absolute).
    std::set<long> snapshotFrames;
    std::string snapshotFolder;
    // VORNIC_WATCH: sprites, objects and sounds are reloaded when their files change.
    bool watchFiles = false;
};

// The runtime-error record: why and where the program is ending.
struct ErrorRecord {
    double errorNumber = 0.0;
    double errorLine = 0.0;
    double currentLine = 0.0;
    double currentLineTag = 0.0;
};
