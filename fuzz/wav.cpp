// Feeds arbitrary bytes to the WAV reader and converts whatever it accepts to the output
// format, as LoadSound does with a file.
#include "FuzzFiles.h"
#include "os/Audio.h"
#include "sound/SampleConverter.h"
#include "sound/WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sound::WavSamples wav;
    if (!sound::ParseWav(data, size, wav)) return 0;
    std::vector<int16_t> samples;
    sound::ConvertToOutput(wav, os::kAudioRate, samples);
    return 0;
}
