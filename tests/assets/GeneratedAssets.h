// The asset folder made by one run of the generator, shared by the tests of this program.
#pragma once

#include <string>

// Runs the generator into a fresh folder and returns its path; the folder lives until the test
// program ends. Empty when the generator failed.
const std::string& GeneratedAssets();

// Runs the generator into folder; true when it ended with exit code 0.
bool RunGenerator(const std::string& folder);
