// Shared pieces of the object tests: a fresh 3D engine, a private temporary folder that also
// receives the runtime log, and a builder for binary object files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/Runtime.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/ObjectCommands.h"
#include "gfx3d/Rainbows3D.h"
#include "support/TempDir.h"

class ObjectTest : public ::testing::Test {
  protected:
    void SetUp() override { Rt().objects = std::make_unique<Rainbows3D>(); }
    void TearDown() override { Rt().objects.reset(); }

    // The runtime log written during the test.
    std::string Log() const { return ReadWholeFile(folder.File("ErrorLog.txt")); }
    ObjectSlot& Slot(int id) { return *Rt().objects->Slot(id); }
    // Loading the file into slot id fails, adds exactly `said` to the log and leaves the slot
    // empty.
    void ExpectRefused(const std::string& path, int id, const std::string& said) {
        const std::string logBefore = Log();
        EXPECT_EQ(LoadObject(path.c_str(), id), 0);
        EXPECT_EQ(Log().substr(logBefore.size()), said);
        EXPECT_EQ(Slot(id).loaded + Slot(id).parts.Count(), 0);
    }
    // The triangle corners of frame 0 of the slot's first part.
    const GrowArray<DrawVertex>& Corners(int id) { return Slot(id).parts[0].frames[0].triangles; }

    TempDir folder;

  private:
    // The log goes into the test's own folder, away from other test programs.
    ScopedTmpDir logFolder_{folder.Path() + "/"};
};

// Builds a binary object file: bytes, and little-endian words and floats.
struct DddBytes {
    DddBytes& Bytes(std::initializer_list<uint8_t> values) {
        bytes.insert(bytes.end(), values);
        return *this;
    }
    DddBytes& U32(uint32_t v) {
        return Bytes({uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
    }
    DddBytes& F32(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, 4);
        return U32(bits);
    }
    // Magic, version 1.02 (the double 0x3FF051EB851EB852), then the counts.
    DddBytes& Header(uint32_t frames, uint32_t colours, uint32_t pairs) {
        Bytes({0x17, 0xB3, 0xC6, 0x00}).U32(0x851EB852u).U32(0x3FF051EBu);
        return U32(frames).U32(colours).U32(pairs);
    }
    // Record count, then offset and scale, each the same on all three axes.
    DddBytes& FrameHeader(int32_t records, float offset, float scale) {
        U32(static_cast<uint32_t>(records)).F32(offset).F32(offset).F32(offset);
        return F32(scale).F32(scale).F32(scale);
    }
    std::vector<uint8_t> bytes;
};

// One frame with a list of two triangles and one strip of two triangles; colours red and the
// two markers. Records are x, y, z, normal index, colour index.
inline std::vector<uint8_t> SampleBinaryObject() {
    DddBytes file;
    file.Header(1, 3, 12).U32(0x0000FF).U32(ColorListStart).U32(ColorStripStart);
    for (int i = 0; i < 12; ++i)
        file.F32(i * 0.25f).F32(1.0f - i * 0.125f);
    file.FrameHeader(12, 10.0f, 0.5f).Bytes({0, 0, 0, 1, 1}); // list marker
    file.Bytes({10, 0, 0, 5, 0}).Bytes({20, 0, 0, 5, 0}).Bytes({10, 30, 0, 5, 0});
    file.Bytes({40, 0, 0, 5, 0}).Bytes({50, 0, 0, 5, 0}).Bytes({40, 60, 0, 5, 0});
    file.Bytes({40, 60, 0, 0, 2}); // strip marker
    file.Bytes({0, 0, 255, 7, 0}).Bytes({255, 0, 255, 8, 0}).Bytes({0, 255, 255, 9, 0});
    file.Bytes({255, 255, 255, 10, 0});
    return file.bytes;
}
