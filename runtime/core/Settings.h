// The process-wide settings that the entry point writes before start-up.
#pragma once

#include <string>

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
};

// The runtime-error record: why and where the program is ending.
struct ErrorRecord {
    double errorNumber = 0.0;
    double errorLine = 0.0;
    double currentLine = 0.0;
    double currentLineTag = 0.0;
};
