// The asset folder made by one run of the generator, shared by the tests of this program.
#pragma once

#include <gtest/gtest.h>
#include <string>

// Runs the generator into a fresh folder and returns its path; the folder lives until the test
// program ends. Empty when the generator failed.
const std::string& GeneratedAssets();

// Runs the generator into folder; true when it ended with exit code 0.
bool RunGenerator(const std::string& folder);

// A test of the generated files, which fails at once when the generator did.
class GeneratedAssetsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(GeneratedAssets().empty()); }
};
