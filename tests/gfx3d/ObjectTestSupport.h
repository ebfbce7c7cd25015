// Shared pieces of the object tests: a fresh 3D engine, a private temporary folder that also
// receives the runtime log, and a builder for binary object files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/Runtime.h"
#include "gfx3d/Rainbows3D.h"
#include "support/TempDir.h"

class ObjectTest : public ::testing::Test {
  protected:
    void SetUp() override { Rt().objects = std::make_unique<Rainbows3D>(); }
    void TearDown() override { Rt().objects.reset(); }

    // The runtime log written during the test.
    std::string Log() const { return ReadWholeFile(folder.File("ErrorLog.txt")); }
    ObjectSlot& Slot(int id) { return *Rt().objects->Slot(id); }
    // The triangle corners of frame 0 of the slot's first part.
    const GrowArray<DrawVertex>& Corners(int id) { return Slot(id).parts[0].frames[0].triangles; }

    TempDir folder;

  private:
    // The log goes into the test's own folder, away from other test programs.
    ScopedTmpDir logFolder_{folder.Path() + "/"};
};

// Builds a binary object file byte by byte.
class DddBytes {
  public:
    DddBytes& U32(uint32_t value);
    DddBytes& F32(float value);
    DddBytes& Byte(uint8_t value) {
        bytes.push_back(value);
        return *this;
    }
    // A record: x, y, z, normal index, colour index.
    DddBytes& Record(uint8_t x, uint8_t y, uint8_t z, uint8_t normal, uint8_t colour);
    // Magic, version 1.02, then the counts.
    DddBytes& Header(uint32_t frames, uint32_t colours, uint32_t pairs);
    // Record count, offset and scale of a frame.
    DddBytes& FrameHeader(int32_t records, float offset, float scale);
    std::vector<uint8_t> bytes;
};

// One frame with a list of two triangles and one strip of two triangles; two colours.
std::vector<uint8_t> SampleBinaryObject();
