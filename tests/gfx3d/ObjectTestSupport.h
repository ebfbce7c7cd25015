// Shared pieces of the object tests: a fresh 3D engine, a private temporary folder that also
// receives the runtime log, and builders for object files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "gfx3d/Rainbows3D.h"
#include "support/TempDir.h"

class ObjectTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Path of a file in the test's folder.
    std::string PathOf(const std::string& name) const { return folder_.File(name); }
    // Writes bytes (or text) to a file in the test's folder and gives its path.
    std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::string WriteFile(const std::string& name, const std::string& text) const;
    std::vector<uint8_t> ReadFile(const std::string& path) const;
    // The runtime log written during the test.
    std::string Log() const;
    ObjectSlot& Slot(int id) { return *scene().Slot(id); }
    Rainbows3D& scene();

  private:
    TempDir folder_;
    // The log goes into the test's own folder, away from other test programs.
    ScopedTmpDir logFolder_{folder_.Path() + "/"};
};

// Builds a binary object file byte by byte.
class DddBytes {
  public:
    DddBytes& U32(uint32_t value);
    DddBytes& I32(int32_t value) { return U32(static_cast<uint32_t>(value)); }
    DddBytes& F32(float value);
    DddBytes& F64(double value);
    DddBytes& Byte(uint8_t value) {
        bytes.push_back(value);
        return *this;
    }
    // A record: x, y, z, normal index, colour index.
    DddBytes& Record(uint8_t x, uint8_t y, uint8_t z, uint8_t normal, uint8_t colour);
    // Magic and version 1.02.
    DddBytes& Header(uint32_t frames, uint32_t colours, uint32_t pairs);
    // Record count, offset and scale of a frame.
    DddBytes& FrameHeader(int32_t records, float offset, float scale);
    std::vector<uint8_t> bytes;
};

// One frame with a list of two triangles and one strip of two triangles; two colours.
std::vector<uint8_t> SampleBinaryObject();
