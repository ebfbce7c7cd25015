// Model sets: INI files starting with ";DDW" that list textures and the object files of the
// parts of one object, each part naming its two textures.
#pragma once

#include <string>
#include <vector>

class OpenGLRainbows;
class ResourceResolver;
struct ObjectSlot;

// The four bytes a model-set file starts with.
constexpr char kModelSetTag[] = ";DDW";

namespace gfx3d {

// Fills an empty slot from the model set at path, the file that name resolved to: marks it
// loaded, loads its textures (when device has a GL context) and its parts, whose names are taken
// relative to name's folder and found through lookup (none: on disk only). Parts that fail to load
// stay empty. Returns 1. The files on disk (not in the resource pack) that textures and parts came
// from go to setFiles when given.
int LoadModelSet(OpenGLRainbows* device, ResourceResolver* lookup, ObjectSlot& slot,
                 const std::string& path, const std::string& name,
                 std::vector<std::string>* setFiles = nullptr);

} // namespace gfx3d
