// Filling an object slot from a file of any object form: the one path of LoadObject and of the
// hot reload.
#pragma once

#include <string>
#include <vector>

class OpenGLRainbows;
class ResourceResolver;
struct ObjectSlot;

namespace gfx3d {

// Fills the empty slot from the file at path, which name resolved to through lookup (a model
// set's parts are found through it too): a model set, or one part
// in the binary or text form. False when the file holds no drawable part (the slot is then
// empty), with the reason in why, which stays empty when the reader logged the damage itself.
// For a model set, setFiles (when given) receives the files on disk its textures and parts came
// from.
bool LoadObjectFile(OpenGLRainbows* device, ResourceResolver* lookup, ObjectSlot& slot,
                    const std::string& path, const std::string& name, std::string& why,
                    std::vector<std::string>* setFiles = nullptr);

// Loads the file again into a fresh slot and, only when it holds a drawable object, puts that in
// place of what slot held. Gives "" or why the file was refused.
std::string ReloadObjectFile(OpenGLRainbows* device, ResourceResolver* lookup, ObjectSlot& slot,
                             const std::string& path, const std::string& name,
                             std::vector<std::string>* setFiles);

} // namespace gfx3d
