// The 3D objects of the game, built in code and written as ".ddd" files.
#pragma once

#include <string>

// Writes every object file into folder/ddd; false when one cannot be written.
bool WriteModels(const std::string& folder);
