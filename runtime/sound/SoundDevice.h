// The sound device: the audio output and the table of sound slots that game code loads WAV
// files into and plays by number.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "os/Audio.h"
#include "sound/SoundSlot.h"

class SoundDevice {
  public:
    static constexpr int kSlotCount = 256;
    // Game code reaches slots 0..kLastCommandSlot; the rest of the table is never used.
    static constexpr int kLastCommandSlot = 127;

    explicit SoundDevice(std::unique_ptr<os::AudioOutput> output);
    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    // Opens the output device. Without one the device stays silent: loads fail and nothing
    // plays.
    bool Start();
    bool HasOutput() const { return output_->IsOpen(); }
    os::AudioOutput& Output() { return *output_; }

    // Loads the WAV file at path into slot (0..255) with 1..4 copies; whatever the slot held
    // goes first. False when the file cannot be read or played, leaving the slot empty.
    // The reason for a failure goes to why when given.
    bool Load(const std::string& path, int slot, int copies, std::string* why = nullptr);
    // Loads the file at path into slot again with the copies it has, but only once it has been
    // read: a file that does not read leaves the slot as it was. Copies that play are cut off.
    // Gives "" or why the file was refused.
    std::string Reload(const std::string& path, int slot);
    // Plays slot with pan (-10000 full left .. 10000 full right) and volume (-10000 silent ..
    // 0 full), both in hundredths of a decibel. Gives the copy that plays, or -1 when the slot
    // is empty or its only copy still plays.
    int Play(int slot, int pan, int volume);
    // True while the copy of slot plays; false for a copy the slot does not have.
    bool IsPlaying(int slot, int copy) const;
    // Stops every copy of the slots that commands reach.
    void StopAll();
    // Empties every slot, last to first.
    void ReleaseSlots();

  private:
    int Channel(int slot, int copy) const { return slot * SoundSlot::kMaxCopies + copy; }
    void Empty(int slot);
    // The samples of the WAV file at path as a chunk of the output; null (and why) when the file
    // cannot be read or played.
    std::unique_ptr<os::AudioChunk> ReadChunk(const std::string& path, std::string& why);

    std::unique_ptr<os::AudioOutput> output_;
    std::array<SoundSlot, kSlotCount> slots_;
};
