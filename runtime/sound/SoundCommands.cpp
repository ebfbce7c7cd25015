#include "sound/SoundCommands.h"

#include <algorithm>

#include "core/ErrorLog.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "files/FilePaths.h"
#include "files/ResourceLookup.h"
#include "os/System.h"
#include "sound/SoundDevice.h"

namespace {

constexpr int kHandleSlotShift = 8;
constexpr int kHandleCopyMask = 0xFF;

// The slot a command names: truncated, and above the last reachable slot that last slot;
// -1 for a negative number.
int CommandSlot(double slot) {
    const int number = ToInt(slot);
    if (number < 0) return -1;
    return std::min(number, SoundDevice::kLastCommandSlot);
}

} // namespace

double LoadSound(const RtString& fileName, double slot, double copies) {
    SoundDevice* sound = Rt().sound.get();
    const int number = CommandSlot(slot);
    if (!sound || number < 0) return 0.0;
    const std::string name = fileName.CText();
    const std::string key = "sound " + std::to_string(number);
    ForgetAssetFiles(key);
    ResourceResolver* lookup = Rt().resolvers[0].get();
    const std::optional<std::string> path = files::Resolve(lookup, name);
    // A file that is nowhere still empties the slot: the load of nothing fails.
    std::string why;
    if (!sound->Load(path.value_or(""), number, ToInt(copies), &why)) {
        LogFailedLoad("LoadSound", name, path ? why : "not found");
        return 0.0;
    }
    if (path && files::ResolvedOnDisk(lookup, *path))
        WatchAssetFiles(key, {*path}, [number, path = os::AbsolutePath(*path)] {
            SoundDevice* sound = Rt().sound.get();
            return sound ? sound->Reload(path, number) : std::string("no sound device");
        });
    return 1.0;
}

double PlaySound(double slot, double pan, double volume) {
    SoundDevice* sound = Rt().sound.get();
    const int number = CommandSlot(slot);
    if (!sound || number < 0) return -1.0;
    // Pan and volume in hundredths of a decibel: the pan from -10000 (only the left side
    // heard) to 10000 (only the right), the volume from -10000 (silent) to 0 (full strength).
    const int panLevel = ToInt(std::clamp(pan, -1.0, 1.0) * 10000.0);
    const int volumeLevel = ToInt(std::clamp(volume * 100.0, 0.0, 100.0)) * 100 - 10000;
    const int copy = sound->Play(number, panLevel, volumeLevel);
    if (copy < 0) return -1.0;
    return static_cast<double>((number << kHandleSlotShift) + copy);
}

double IsSoundPlaying(double handle) {
    SoundDevice* sound = Rt().sound.get();
    const int number = ToInt(handle);
    if (!sound || number < 0) return 0.0;
    const int slot = number >> kHandleSlotShift;
    if (slot > SoundDevice::kLastCommandSlot) return 0.0;
    return sound->IsPlaying(slot, number & kHandleCopyMask) ? 1.0 : 0.0;
}

void StopAllSounds() {
    if (SoundDevice* sound = Rt().sound.get()) sound->StopAll();
}
