#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
// Every sound is scaled so that its loudest sample reaches this share of full scale.
constexpr double kPeak = 0.8;

using Samples = std::vector<double>;

// A repeatable noise source: the same sequence on every run.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / 8388608.0 - 1.0;
    }

  private:
    uint32_t state_;
};

Samples Silence(double seconds) {
    return Samples(static_cast<size_t>(seconds * kRate), 0.0);
}

// Adds a tone of changing frequency (from f0 to f1) with an attack and an exponential decay.
void AddTone(Samples& out, double start, double length, double f0, double f1, double volume,
             double decay, double harmonics = 0) {
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t count = static_cast<size_t>(length * kRate);
    double phase = 0;
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kRate;
        const double frequency = f0 + (f1 - f0) * (double(i) / count);
        phase += 2 * kPi * frequency / kRate;
        const double attack = std::min(1.0, t / 0.005);
        const double release = std::min(1.0, double(count - i) / (0.01 * kRate));
        const double wave = std::sin(phase) + harmonics * std::sin(2 * phase) / 2 +
                            harmonics * std::sin(3 * phase) / 3;
        out[first + i] += volume * wave * attack * release * std::exp(-t * decay);
    }
}

// Adds noise through a one-pole low-pass filter (cutoff 0..1), decaying exponentially.
void AddNoise(Samples& out, double start, double length, double cutoff, double volume, double decay,
              uint32_t seed) {
    Noise noise(seed);
    const size_t first = static_cast<size_t>(start * kRate);
    const size_t count = static_cast<size_t>(length * kRate);
    double filtered = 0;
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / kRate;
        filtered += cutoff * (noise.Next() - filtered);
        const double attack = std::min(1.0, t / 0.003);
        out[first + i] += volume * filtered * attack * std::exp(-t * decay);
    }
}

bool WriteWav(const std::string& path, Samples samples) {
    double loudest = 0;
    for (double s : samples)
        loudest = std::max(loudest, std::fabs(s));
    const double gain = loudest > 0 ? kPeak / loudest : 0;
    std::vector<uint8_t> bytes;
    auto put = [&bytes](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    auto tag = [&bytes](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2); // PCM
    put(1, 2); // mono
    put(kRate, 4);
    put(kRate * 2, 4);
    put(2, 2);
    put(16, 2);
    tag("data");
    put(dataBytes, 4);
    for (double s : samples) {
        const long value = std::lround(std::clamp(s * gain, -1.0, 1.0) * 32767);
        put(static_cast<uint32_t>(static_cast<int16_t>(value)), 2);
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// Two soft steps in sand: short, so that the sound ends between steps and the game restarts it
// while the hero keeps walking.
Samples Footsteps() {
    Samples out = Silence(0.36);
    for (double start : {0.0, 0.18}) {
        AddNoise(out, start, 0.12, 0.25, 1.0, 40, start > 0 ? 2 : 1);
        AddTone(out, start, 0.06, 120, 70, 0.5, 50);
    }
    return out;
}

// A wobbling, falling "bloop": something bad has caught a crab.
Samples Infection() {
    Samples out = Silence(0.7);
    const size_t count = out.size();
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        const double t = double(i) / kRate;
        const double frequency = 520 * std::exp(-t * 1.6) * (1 + 0.08 * std::sin(2 * kPi * 9 * t));
        phase += 2 * kPi * frequency / kRate;
        const double envelope = std::min(1.0, t / 0.01) * std::min(1.0, (0.7 - t) / 0.1);
        out[i] = envelope * (std::sin(phase) + 0.3 * std::sin(3 * phase));
    }
    return out;
}

// A mechanical "schnipp" with a thump: the stamp comes down.
Samples Stamp() {
    Samples out = Silence(0.3);
    AddNoise(out, 0, 0.05, 0.9, 0.6, 60, 3);
    AddTone(out, 0.02, 0.25, 160, 50, 1.0, 14);
    AddNoise(out, 0.02, 0.2, 0.15, 0.5, 20, 4);
    return out;
}

// A short crunchy click, for buttons and for a crushed crab.
Samples Crunch() {
    Samples out = Silence(0.18);
    AddNoise(out, 0, 0.18, 0.7, 1.0, 35, 5);
    AddTone(out, 0, 0.05, 1800, 900, 0.6, 60);
    AddTone(out, 0.03, 0.12, 300, 150, 0.4, 30);
    return out;
}

// A plop and a spray of water with a few bubbles.
Samples Splash() {
    Samples out = Silence(0.9);
    AddTone(out, 0, 0.12, 500, 180, 0.8, 25);
    AddNoise(out, 0.01, 0.85, 0.35, 0.9, 5.5, 6);
    for (int bubble = 0; bubble < 6; ++bubble) {
        const double start = 0.15 + bubble * 0.1;
        const double pitch = 700 + 180 * ((bubble * 5) % 7);
        AddTone(out, start, 0.05, pitch, pitch * 1.6, 0.25, 40);
    }
    return out;
}

// A cheerful tune in C major, 140 beats a minute: melody, bass and a light beat, 16 bars of
// four beats (about 27 seconds) that loop cleanly. The melody covers 8 bars and plays twice.
Samples Tune() {
    constexpr double kBeat = 60.0 / 140;
    // Melody in semitones above middle C, one entry per half beat; -1 rests.
    const int melody[] = {
        0, 4,  7,  4,  9, 7,  4,  -1, 5,  9,  12, 9, 7, -1, 4, 2, 0, 4,  7, 12, 11, 7,
        9, 11, 12, -1, 7, -1, 4,  5,  7,  -1, 9,  7, 5, 4,  5, 7, 9, -1, 7, 5,  4,  2,
        4, -1, 2,  -1, 5, 9,  12, 14, 12, 9,  7,  5, 0, 2,  4, 5, 7, -1, 0, -1,
    };
    // Bass roots per bar (one chord a bar): C F G C, Am F G C, twice.
    const int bass[] = {0, 5, 7, 0, -3, 5, 7, 0, 0, 5, 7, 0, -3, 5, 7, 0};
    const double totalBeats = 16 * 4;
    Samples out = Silence(totalBeats * kBeat);
    auto frequency = [](int semitone, int octave) {
        return 261.63 * std::pow(2.0, semitone / 12.0 + octave);
    };
    const int melodyNotes = sizeof(melody) / sizeof(melody[0]);
    for (int repeat = 0; repeat < 2; ++repeat) {
        for (int i = 0; i < melodyNotes; ++i) {
            if (melody[i] < 0) continue;
            const double start = repeat * 32 * kBeat + i * kBeat / 2;
            const double f = frequency(melody[i], 0);
            AddTone(out, start, kBeat * 0.48, f, f, 0.32, 4, 0.6);
        }
    }
    for (int bar = 0; bar < 16; ++bar) {
        for (int beat = 0; beat < 4; ++beat) {
            const double start = (bar * 4 + beat) * kBeat;
            const int note = bass[bar] + (beat % 2 ? 7 : 0);
            const double f = frequency(note, -2);
            AddTone(out, start, kBeat * 0.9, f, f, 0.35, 3, 0.4);
            AddNoise(out, start + (beat % 2 ? 0 : kBeat / 2), 0.05, 0.9, 0.08, 70,
                     static_cast<uint32_t>(100 + bar * 4 + beat));
        }
        // Chord on the first beat: the bar's triad, quietly.
        for (int interval : {0, 4, 7}) {
            const int third = (bass[bar] == -3 && interval == 4) ? 3 : interval;
            const double f = frequency(bass[bar] + third, -1);
            AddTone(out, bar * 4 * kBeat, kBeat * 3.8, f, f, 0.08, 0.8);
        }
    }
    return out;
}

} // namespace

bool WriteSounds(const std::string& folder) {
    const std::string wav = folder + "/wav/";
    return WriteWav(wav + "hero2.wav", Footsteps()) && WriteWav(wav + "virus.wav", Infection()) &&
           WriteWav(wav + "schnipp1.wav", Stamp()) && WriteWav(wav + "killed.wav", Crunch()) &&
           WriteWav(wav + "sprunginswasser.wav", Splash()) && WriteWav(wav + "title1.wav", Tune());
}
