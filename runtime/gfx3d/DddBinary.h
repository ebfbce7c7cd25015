// The binary object file: magic 0x00C6B317, version 1.02, colour table, texture pairs and
// frames of 5-byte records, little-endian throughout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx3d/MeshObject.h"
#include "gfx3d/ObjectFiles.h"

namespace gfx3d {

constexpr uint32_t kDddMagic = 0x00C6B317u;
constexpr double kDddVersion = 1.02;

// Reads a binary object (magic included) from memory into an empty part. Every short read,
// negative or oversized count, mismatched record count and out-of-range index is a
// ReadError. With expand set every record is also decoded into its frame's work vertices.
// On failure the part is cleared.
ObjectReadResult ReadBinaryObject(MeshObjectX& part, const uint8_t* data, size_t size, bool expand);

// The bytes of the binary file of a part.
std::vector<uint8_t> EncodeBinaryObject(const MeshObject& part);

// Writes the part as a binary file; true only when the whole file was written.
bool WriteBinaryObject(const MeshObject& part, const std::string& path);

} // namespace gfx3d
