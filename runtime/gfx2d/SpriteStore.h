// The sprite table of the graphics device: numbered slots owning GL textures, the transparency
// colours, the global alpha of 2D drawing, the font and background state.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx2d/ImageCodec.h"
#include "gl/OpenGLRainbows.h"

const int kSpriteSlotCount = 65536;
const int kFontSlotBase = 65504;
const int kFontCount = 32;
const int kBackgroundBlockCount = 16;
const int kBackgroundGridSide = 64;
const int64_t kDefaultTransparencyColour = 0x8000FF;

struct SpriteSlot {
    GLuint plainTexture = 0;
    GLuint mipmappedTexture = 0;
    int textureWidth = -1;
    int textureHeight = -1;
    int imageWidth = 0;
    int imageHeight = 0;
    // The plain texture's alpha channel, read back on the first collision test.
    std::vector<uint8_t> alphaCopy;
    bool alphaCopyRead = false;

    bool Loaded() const { return textureWidth > 0; }
};

struct BackgroundTile {
    GLuint texture = 0;
    int textureWidth = 0, textureHeight = 0;
    int tileWidth = 0, tileHeight = 0;
};

// A picture cut into tiles: tile (column i, row j) lives at tiles[j * 64 + i].
struct BackgroundBlock {
    int columns = 0, rows = 0;
    std::vector<BackgroundTile> tiles;
};

// A vertex list that grows by the runtime's rule: 512 entries, else the next multiple of 128
// above what is needed.
class VertexList {
  public:
    explicit VertexList(int floatsPerVertex) : floatsPerVertex_(floatsPerVertex) {}
    void Reserve(size_t vertices);
    void Clear() { count_ = 0; }
    float* Append(); // room for one vertex
    const float* Data() const { return data_.data(); }
    size_t Count() const { return count_; }

  private:
    int floatsPerVertex_;
    size_t count_ = 0;
    std::vector<float> data_;
};

class SpriteStore : public TextureOwner {
  public:
    SpriteStore();
    // Empties every slot and background block (the device's context is about to go).
    void ReleaseTextures(OpenGLRainbows& device) override;

    std::vector<SpriteSlot> slots;
    int64_t transparencyColour = kDefaultTransparencyColour;
    int64_t fontTransparencyColour = 0;
    float globalAlpha = 1.0f;
    // Set while blending is translucent: colours then keep their strength and only alpha
    // carries the global alpha, so that blending with it mixes rather than darkens.
    bool translucent = false;
    int currentFont = 0;
    std::array<BackgroundBlock, kBackgroundBlockCount> backgrounds;
    VertexList polygon{8};
    VertexList text{5};

    // What colours are scaled by: the global alpha, except while translucent.
    float ColourScale() const { return translucent ? 1.0f : globalAlpha; }
    // Opaque drawing at full strength, as every frame starts.
    void ResetAlpha() {
        globalAlpha = 1.0f;
        translucent = false;
    }
    // Makes the GL colour the one that sprites are drawn with.
    void ApplyDrawingColour() const;
};

namespace gfx2d {

// The device's sprite store.
SpriteStore& Sprites(OpenGLRainbows& device);
// True for ids 0..65535.
inline bool SpriteIdValid(int id) {
    return id >= 0 && id < kSpriteSlotCount;
}

// The key the hot reload watches the file of slot id under: whatever fills the slot otherwise
// forgets it (ForgetAssetFiles).
inline std::string SpriteWatchKey(int id) {
    return "sprite " + std::to_string(id);
}

// Deletes the slot's textures (while the GL is initialised) and marks it empty.
void EmptySlot(OpenGLRainbows& device, int id);
// Empties every sprite slot and background block; called before the GL context goes.
void ReleaseAllTextures(OpenGLRainbows& device);

// Loads a BMP or PNG file into slot id: sprites get a plain and a mipmapped texture with edge
// bleeding, font slots a plain texture with nearest-neighbour magnification. A failed load
// leaves the slot empty. Returns 1 or 0, with the reason for a failure in why when given.
int LoadImageIntoSlot(OpenGLRainbows& device, int id, const std::string& path, int64_t colourKey,
                      bool normalMap, std::string* why = nullptr);
// Loads the picture at path into slot id again, as LoadImageIntoSlot did, but only once it has
// been read: a file that does not read leaves the slot as it was. The textures bound for drawing
// stay bound. Gives "" or why the file was refused.
std::string ReloadImageIntoSlot(OpenGLRainbows& device, int id, const std::string& path,
                                int64_t colourKey, bool normalMap);
// Uploads a decoded picture into slot id as LoadImageIntoSlot does.
int UploadImageToSlot(OpenGLRainbows& device, int id, const DecodedImage& image, bool normalMap);
// Makes a plain texture of texWidth x texHeight from an RGBA buffer (bottom-up rows).
GLuint CreatePlainTexture(int texWidth, int texHeight, const void* rgba, GLenum format,
                          GLint magFilter);

// Binds the textures for the next drawing: id's plain texture (its mipmapped twin when mipmap
// is set, or table[id] when a table is given), and second on the second texture unit when the
// GL has multitexturing. A negative id turns texturing off.
void BindSpriteTexture(OpenGLRainbows& device, int id, int second, bool mipmap,
                       const GLuint* table = nullptr);

} // namespace gfx2d
