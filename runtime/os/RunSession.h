// Record and replay of a whole run. A recorded run keeps everything that makes it what it is:
// the random seed, every clock value the program read, and every event and input reading in
// the frame and poll where it arrived. A replay feeds them back in the same places instead of
// the real devices and clock, so the same program produces the same frames.
//
// Switched on by environment variables (read by start-up), so programs keep their own command
// line:
//   VORNIC_RECORD=<file>    record this run
//   VORNIC_REPLAY=<file>    replay a recording (or a script written by hand)
//   VORNIC_REPLAY_REALTIME=1  keep the recorded pace instead of running as fast as possible
//   VORNIC_SNAPSHOT=<frames>:<folder>  save the screen before those frames are shown
//   VORNIC_SEED=<n>         fix the random seed of an ordinary run
#pragma once

#include <memory>
#include <set>
#include <string>

#include "os/Backend.h"

namespace os {

class RunSession {
  public:
    virtual ~RunSession() = default;
    // A new frame begins: every event pump of the runtime starts one.
    virtual void BeginFrame() = 0;
    // The frame that runs now (0 during start-up).
    virtual long Frame() const = 0;
    // The seed of the random generator: the recorded one in a replay, else the proposed one
    // (and it is recorded).
    virtual int Seed(int proposed) = 0;
    // False when the frame loop should not wait out its frame time.
    virtual bool PacesInRealTime() const = 0;
    // True once a replay has fed everything it holds and its last frame is over.
    virtual bool Ended() const = 0;
    // Writes what is still buffered (a recording); called at the end of the run.
    virtual void Finish() = 0;
    // Network commands: a recording notes the result of each in its frame; a replay answers
    // them from the recording, in order, and the runtime opens no sockets.
    virtual bool ReplaysNetwork() const { return false; }
    virtual void NoteNetResult(const std::string& /*command*/, const std::string& /*result*/) {}
    // The next recorded result of this frame when it belongs to the command; else false.
    virtual bool NextNetResult(const std::string& /*command*/, std::string& /*result*/) {
        return false;
    }
};

// Wraps the backend for recording or replay as the run asks. A recording or replay that cannot
// be opened or read ends the process with a message on standard error and status 2.
Backend WrapForRecordOrReplay(Backend backend, const RunRequest& run);

// The frames named by a VORNIC_SNAPSHOT value ("10,20,30:folder"); empty for any other text.
struct SnapshotRequest {
    std::set<long> frames;
    std::string folder;
};
SnapshotRequest ParseSnapshotRequest(const std::string& value);

} // namespace os
