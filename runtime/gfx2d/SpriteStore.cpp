#include "gfx2d/SpriteStore.h"
#include "os/Window.h"

#include <algorithm>

#include "gfx2d/TexturePixels.h"
#include "gl/OpenGLRainbows.h"
#include "gl/TextureUnits.h"

namespace {

void DeleteTexture(OpenGLRainbows& device, GLuint& name) {
    if (name != 0 && device.initialised) glDeleteTextures(1, &name);
    name = 0;
}

void SetTextureParameters(GLint magFilter, GLint minFilter) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
}

void UnpackTightly() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

GLuint CreateMipmappedTexture(std::vector<uint8_t> rgba, int width, int height) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    SetTextureParameters(GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR);
    int level = 0;
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    while (width > 1 || height > 1) {
        gfx2d::HalveMipLevel(rgba, width, height);
        glTexImage2D(GL_TEXTURE_2D, ++level, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     rgba.data());
    }
    return name;
}

GLuint TextureOf(SpriteStore& store, int id, bool mipmap, const GLuint* table) {
    if (table) return table[id];
    const SpriteSlot& slot = store.slots[id];
    return mipmap && slot.mipmappedTexture ? slot.mipmappedTexture : slot.plainTexture;
}

} // namespace

void VertexList::Reserve(size_t vertices) {
    if (vertices * floatsPerVertex_ <= data_.size()) return;
    const size_t capacity = vertices <= 512 ? 512 : 128 * (vertices / 128 + 1);
    data_.resize(capacity * floatsPerVertex_);
}

float* VertexList::Append() {
    Reserve(count_ + 1);
    return data_.data() + floatsPerVertex_ * count_++;
}

SpriteStore::SpriteStore() : slots(kSpriteSlotCount) {}

void SpriteStore::ApplyDrawingColour() const {
    const float scale = ColourScale();
    glColor4f(scale, scale, scale, globalAlpha);
}

void SpriteStore::ReleaseTextures(OpenGLRainbows& device) {
    gfx2d::ReleaseAllTextures(device);
}

SpriteStore& gfx2d::Sprites(OpenGLRainbows& device) {
    // Start-up gives every device a SpriteStore as its texture owner.
    return *static_cast<SpriteStore*>(device.sprites.get());
}

void gfx2d::EmptySlot(OpenGLRainbows& device, int id) {
    FlushSpriteBatch(device);
    SpriteSlot& slot = gfx2d::Sprites(device).slots[id];
    DeleteTexture(device, slot.plainTexture);
    DeleteTexture(device, slot.mipmappedTexture);
    slot = SpriteSlot{};
}

void gfx2d::ReleaseAllTextures(OpenGLRainbows& device) {
    if (!device.sprites) return;
    SpriteStore& store = gfx2d::Sprites(device);
    device.batch.vertices.clear();
    device.batch.id = -1;
    for (int id = 0; id < kSpriteSlotCount; ++id) {
        if (store.slots[id].plainTexture || store.slots[id].mipmappedTexture ||
            store.slots[id].Loaded())
            gfx2d::EmptySlot(device, id);
    }
    for (BackgroundBlock& block : store.backgrounds) {
        for (BackgroundTile& tile : block.tiles)
            DeleteTexture(device, tile.texture);
        block = BackgroundBlock{};
    }
}

GLuint gfx2d::CreatePlainTexture(int texWidth, int texHeight, const void* rgba, GLenum format,
                                 GLint magFilter) {
    UnpackTightly();
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    SetTextureParameters(magFilter, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texWidth, texHeight, 0, format, GL_UNSIGNED_BYTE,
                 rgba);
    return name;
}

int gfx2d::UploadImageToSlot(OpenGLRainbows& device, int id, const gfx2d::DecodedImage& image,
                             bool normalMap) {
    if (!gfx2d::SpriteIdValid(id) || image.width <= 0 || image.height <= 0) return 0;
    gfx2d::EmptySlot(device, id);
    // Pictures beyond the GL's largest texture are cut to it.
    const int maxSize = MaxTextureSize(device);
    const int width = std::min(image.width, maxSize);
    const int height = std::min(image.height, maxSize);
    const int texWidth = std::min(gfx2d::PowerOfTwoAtLeast(width, 2), std::max(maxSize, 2));
    const int texHeight = std::min(gfx2d::PowerOfTwoAtLeast(height, 2), std::max(maxSize, 2));
    const bool font = id >= kFontSlotBase;

    std::vector<uint8_t> buffer = gfx2d::PadAndFlip(image, width, height, texWidth, texHeight);
    if (!font) gfx2d::BleedEdges(buffer, texWidth, texHeight);
    if (normalMap) gfx2d::MakeNormalMap(buffer, texWidth, texHeight);

    SpriteSlot& slot = gfx2d::Sprites(device).slots[id];
    slot.plainTexture = gfx2d::CreatePlainTexture(texWidth, texHeight, buffer.data(), GL_RGBA,
                                                  font ? GL_NEAREST : GL_LINEAR);
    if (!font)
        slot.mipmappedTexture = CreateMipmappedTexture(std::move(buffer), texWidth, texHeight);
    slot.textureWidth = texWidth;
    slot.textureHeight = texHeight;
    slot.imageWidth = width;
    slot.imageHeight = height;
    return 1;
}

int gfx2d::LoadImageIntoSlot(OpenGLRainbows& device, int id, const std::string& path,
                             int64_t colourKey, bool normalMap, std::string* why) {
    if (!gfx2d::SpriteIdValid(id)) return 0;
    gfx2d::EmptySlot(device, id);
    gfx2d::DecodedImage image;
    if (!gfx2d::DecodeImageFile(path, colourKey, image, why)) return 0;
    return gfx2d::UploadImageToSlot(device, id, image, normalMap);
}

std::string gfx2d::ReloadImageIntoSlot(OpenGLRainbows& device, int id, const std::string& path,
                                       int64_t colourKey, bool normalMap) {
    gfx2d::DecodedImage image;
    std::string why;
    if (!gfx2d::DecodeImageFile(path, colourKey, image, &why))
        return why.empty() ? "not a picture" : why;
    if (!gfx2d::UploadImageToSlot(device, id, image, normalMap)) return "not a picture";
    // The upload bound the new texture; drawing goes on with the textures it had chosen, this
    // slot's new ones among them.
    const TextureBinding bound = device.binding;
    gfx2d::BindSpriteTexture(device, bound.id, bound.second, bound.mipmap);
    return "";
}

void gfx2d::BindSpriteTexture(OpenGLRainbows& device, int id, int second, bool mipmap,
                              const GLuint* table) {
    FlushSpriteBatch(device);
    SpriteStore& store = gfx2d::Sprites(device);
    if (!gfx2d::SpriteIdValid(id)) id = -1;
    if (!gfx2d::SpriteIdValid(second)) second = -1;
    device.binding = TextureBinding{id, second, mipmap};
    const GLExtensions& ext = device.ext;
    if (!ext.glActiveTextureARB) {
        if (id < 0) {
            glDisable(GL_TEXTURE_2D);
            glEnable(GL_COLOR_MATERIAL);
            return;
        }
        glBindTexture(GL_TEXTURE_2D, TextureOf(store, id, mipmap, table));
        glEnable(GL_TEXTURE_2D);
        return;
    }
    SetSecondUnitTexture(device,
                         id >= 0 && second >= 0 ? TextureOf(store, second, mipmap, table) : 0);
    if (id >= 0) {
        glBindTexture(GL_TEXTURE_2D, TextureOf(store, id, mipmap, table));
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
}
