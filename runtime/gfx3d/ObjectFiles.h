// Reading a part from an object file of either form, with the log lines of failed reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class MeshObjectX;

namespace gfx3d {

enum class ObjectReadResult { Ok, ReadError, WrongVersion, OutOfMemory };

// Reads a part from the bytes of a binary object file, or of the text form when the bytes do
// not start with the binary magic. Nothing is logged; on failure the part is cleared.
ObjectReadResult ReadObjectBytes(MeshObjectX& part, const uint8_t* data, size_t size, bool expand);

// Reads a part from a file. A file that cannot be opened fails without a log line ("cannot be
// read" goes to why when given); any other failure appends "Wrong .ddd version." (for a wrong
// version), then "# read error" or "# malloc error", then the path to the log. A failure
// leaves the part cleared.
bool ReadObjectFile(MeshObjectX& part, const std::string& path, bool expand,
                    std::string* why = nullptr);

} // namespace gfx3d
