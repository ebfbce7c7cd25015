#include "gfx2d/ScreenImages.h"

#include <algorithm>

#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteDrawing.h"
#include "gfx2d/SpriteStore.h"
#include "gfx2d/TexturePixels.h"
#include "gl/OpenGLRainbows.h"
#include "os/Window.h"

namespace {

const int kMinGrabSide = 32;
const int kMaxLoadedTileSide = 512;

bool FrameBufferHasAlpha(OpenGLRainbows& device) {
    if (device.frameBufferAlphaBits < 0) {
        GLint bits = 0;
        glGetIntegerv(GL_ALPHA_BITS, &bits);
        device.frameBufferAlphaBits = bits;
    }
    return device.frameBufferAlphaBits > 0;
}

GLuint CreateEmptyTexture(int width, int height) {
    return gfx2d::CreatePlainTexture(width, height, nullptr, GL_RGBA, GL_LINEAR);
}

// Reads width x height pixels at (x, yFromBottom) as bytes of the given format, rows bottom-up.
std::vector<uint8_t> ReadFrameBuffer(int x, int yFromBottom, int width, int height, GLenum format,
                                     int bytesPerPixel) {
    std::vector<uint8_t> bytes(static_cast<size_t>(width) * height * bytesPerPixel);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, yFromBottom, width, height, format, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}

// How the frame buffer stores the transparency colour: drawn once at (2, 2) and read back,
// with the pixel there put back afterwards.
uint32_t StoredTransparencyColour(OpenGLRainbows& device) {
    const int64_t saved = gfx2d::PixelColour(device, 2, 2);
    gfx2d::DrawPixel(device, 2, 2, gfx2d::Sprites(device).transparencyColour);
    const uint32_t stored = static_cast<uint32_t>(gfx2d::PixelColour(device, 2, 2));
    gfx2d::DrawPixel(device, 2, 2, saved);
    return stored;
}

bool WritePicture(const std::string& path, const gfx2d::SavedPicture& picture) {
    return gfx2d::NameAsksForPng(path) ? gfx2d::WritePngFile(path, picture)
                                       : gfx2d::WriteBmpFile(path, picture);
}

void DeleteTiles(OpenGLRainbows& device, BackgroundBlock& block) {
    for (BackgroundTile& tile : block.tiles)
        if (tile.texture && device.initialised) glDeleteTextures(1, &tile.texture);
    block = BackgroundBlock{};
}

BackgroundTile& TileAt(BackgroundBlock& block, int column, int row) {
    if (block.tiles.empty()) block.tiles.resize(kBackgroundGridSide * kBackgroundGridSide);
    return block.tiles[row * kBackgroundGridSide + column];
}

} // namespace

int gfx2d::GrabSprite(OpenGLRainbows& device, int id, int x, int y, int width, int height) {
    if (!gfx2d::SpriteIdValid(id) || width <= 0 || height <= 0) return 0;
    FlushSpriteBatch(device);
    // Nothing beyond the screen (or the render target drawn into) can be grabbed; an absurd
    // size from game code must not make a texture of gigabytes.
    const int maxSize = MaxTextureSize(device);
    int surfaceWidth, surfaceHeight;
    SurfaceSize(device, surfaceWidth, surfaceHeight);
    width = std::min({width, maxSize, std::max(surfaceWidth, 1)});
    height = std::min({height, maxSize, std::max(surfaceHeight, 1)});
    const int texWidth = std::min(gfx2d::PowerOfTwoAtLeast(width, kMinGrabSide), maxSize);
    const int texHeight = std::min(gfx2d::PowerOfTwoAtLeast(height, kMinGrabSide), maxSize);
    SpriteStore& store = gfx2d::Sprites(device);
    SpriteSlot& slot = store.slots[id];
    if (slot.textureWidth != texWidth || slot.textureHeight != texHeight || !slot.plainTexture) {
        gfx2d::EmptySlot(device, id);
        slot.plainTexture = CreateEmptyTexture(texWidth, texHeight);
    }
    slot.alphaCopy.clear();
    slot.alphaCopyRead = false;
    const int sourceY = SurfaceRows(device) - y - height;
    if (FrameBufferHasAlpha(device)) {
        glBindTexture(GL_TEXTURE_2D, slot.plainTexture);
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, sourceY, width, height);
    } else {
        std::vector<uint8_t> bgra = ReadFrameBuffer(x, sourceY, width, height, GL_BGRA, 4);
        const uint32_t key = StoredTransparencyColour(device);
        for (size_t i = 0; i < bgra.size(); i += 4) {
            const uint32_t colour = bgra[i + 2] + bgra[i + 1] * 256u + bgra[i] * 65536u;
            bgra[i + 3] = colour == key ? 0 : 255;
        }
        glBindTexture(GL_TEXTURE_2D, slot.plainTexture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE,
                        bgra.data());
    }
    // The texture binding changed under the 2D state; put the recorded one back.
    gfx2d::BindSpriteTexture(device, device.binding.id, device.binding.second,
                             device.binding.mipmap);
    slot.textureWidth = texWidth;
    slot.textureHeight = texHeight;
    slot.imageWidth = width;
    slot.imageHeight = height;
    return 1;
}

int gfx2d::SaveSprite(OpenGLRainbows& device, const std::string& path, int id) {
    if (!gfx2d::SpriteIdValid(id)) return 0;
    SpriteStore& store = gfx2d::Sprites(device);
    const SpriteSlot& slot = store.slots[id];
    if (!slot.Loaded() || !device.window.HasGL()) return 0;
    FlushSpriteBatch(device);
    gfx2d::SavedPicture picture;
    picture.width = slot.textureWidth;
    picture.height = slot.textureHeight;
    picture.transparencyColour = store.transparencyColour;
    const size_t pixels = static_cast<size_t>(picture.width) * picture.height;
    std::vector<uint8_t> bgra(pixels * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, slot.plainTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    gfx2d::BindSpriteTexture(device, device.binding.id, device.binding.second,
                             device.binding.mipmap);
    // Keyed-out pixels hold the colour bled into them and alpha 0: they are saved as
    // transparent, so that the file loads back as the sprite looked.
    picture.bgrBottomUp.resize(pixels * 3);
    picture.transparentMask.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        std::copy_n(bgra.data() + i * 4, 3, picture.bgrBottomUp.data() + i * 3);
        picture.transparentMask[i] = bgra[i * 4 + 3] == 0;
    }
    return WritePicture(path, picture) ? 1 : 0;
}

int gfx2d::SaveScreen(OpenGLRainbows& device, const std::string& path) {
    if (device.screenWidth <= 0 || device.screenHeight <= 0 || !device.window.HasGL()) return 0;
    FlushSpriteBatch(device);
    gfx2d::SavedPicture picture;
    picture.width = device.screenWidth;
    picture.height = device.screenHeight;
    picture.transparencyColour = gfx2d::Sprites(device).transparencyColour;
    picture.bgrBottomUp = ReadFrameBuffer(0, 0, picture.width, picture.height, GL_BGR, 3);
    return WritePicture(path, picture) ? 1 : 0;
}

void gfx2d::ClearBackgroundBlock(OpenGLRainbows& device, int block) {
    if (block < 0 || block >= kBackgroundBlockCount) return;
    DeleteTiles(device, gfx2d::Sprites(device).backgrounds[block]);
}

void gfx2d::GrabScreenIntoBlock(OpenGLRainbows& device, int blockId) {
    if (blockId < 0 || blockId >= kBackgroundBlockCount) return;
    FlushSpriteBatch(device);
    BackgroundBlock& block = gfx2d::Sprites(device).backgrounds[blockId];
    // Tiles no larger than the screen needs: a tile of the GL's largest texture size would
    // take a gigabyte on software renderers.
    const int side =
        std::min(MaxTextureSize(device),
                 gfx2d::PowerOfTwoAtLeast(std::max(device.screenWidth, device.screenHeight), 1));
    int rows = 0, columns = 0;
    for (int j = 0; j < kBackgroundGridSide && j * side < device.screenHeight; ++j, ++rows) {
        columns = 0;
        for (int i = 0; i < kBackgroundGridSide && i * side < device.screenWidth; ++i, ++columns) {
            BackgroundTile& tile = TileAt(block, i, j);
            if (tile.textureWidth != side || tile.textureHeight != side || !tile.texture) {
                if (tile.texture && device.initialised) glDeleteTextures(1, &tile.texture);
                tile.texture = CreateEmptyTexture(side, side);
            }
            tile.textureWidth = tile.textureHeight = side;
            tile.tileWidth = std::min(side, device.screenWidth - i * side);
            tile.tileHeight = std::min(side, device.screenHeight - j * side);
            glBindTexture(GL_TEXTURE_2D, tile.texture);
            glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, i * side,
                                device.screenHeight - j * side - tile.tileHeight, tile.tileWidth,
                                tile.tileHeight);
        }
    }
    block.columns = columns;
    block.rows = rows;
    const TextureBinding bound = device.binding;
    gfx2d::BindSpriteTexture(device, bound.id, bound.second, bound.mipmap);
}

int gfx2d::LoadBackground(OpenGLRainbows& device, const std::string& path) {
    FlushSpriteBatch(device);
    BackgroundBlock& block = gfx2d::Sprites(device).backgrounds[0];
    gfx2d::DecodedImage image;
    if (path.empty() || !gfx2d::DecodeImageFile(path, gfx2d::kNoColourKey, image)) {
        DeleteTiles(device, block);
        glClear(GL_COLOR_BUFFER_BIT);
        return 0;
    }
    DeleteTiles(device, block);
    const int side = std::min(MaxTextureSize(device), kMaxLoadedTileSide);
    const int columns = std::min((image.width + side - 1) / side, kBackgroundGridSide);
    const int rows = std::min((image.height + side - 1) / side, kBackgroundGridSide);
    gfx2d::DecodedImage piece;
    piece.width = piece.height = side;
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            // The tile's part of the picture; what lies outside it stays transparent.
            piece.pixels.assign(static_cast<size_t>(side) * side * 4, 0);
            const int copyWidth = std::min(side, image.width - i * side);
            const int copyHeight = std::min(side, image.height - j * side);
            for (int row = 0; row < copyHeight; ++row)
                std::copy_n(
                    image.pixels.data() +
                        ((static_cast<size_t>(j) * side + row) * image.width + i * side) * 4,
                    copyWidth * 4, piece.pixels.data() + static_cast<size_t>(row) * side * 4);
            std::vector<uint8_t> buffer = gfx2d::PadAndFlip(piece, side, side, side, side);
            gfx2d::BleedEdges(buffer, side, side);
            BackgroundTile& tile = TileAt(block, i, j);
            tile.texture = gfx2d::CreatePlainTexture(side, side, buffer.data(), GL_RGBA, GL_LINEAR);
            tile.textureWidth = tile.textureHeight = side;
            tile.tileWidth = tile.tileHeight = side;
        }
    }
    block.columns = columns;
    block.rows = rows;
    gfx2d::DrawBackgroundBlock(device, 0);
    return 1;
}

void gfx2d::DrawBackgroundBlock(OpenGLRainbows& device, int blockId) {
    if (blockId < 0 || blockId >= kBackgroundBlockCount) return;
    BackgroundBlock& block = gfx2d::Sprites(device).backgrounds[blockId];
    if (block.columns == 0 || block.rows == 0) return;
    FlushSpriteBatch(device);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    float x = 0;
    for (int i = 0; i < block.columns; ++i) {
        float y = 0;
        float columnWidth = 0;
        for (int j = 0; j < block.rows; ++j) {
            const BackgroundTile& tile = TileAt(block, i, j);
            const float w = static_cast<float>(tile.tileWidth);
            const float h = static_cast<float>(tile.tileHeight);
            const float su = w / tile.textureWidth, tv = h / tile.textureHeight;
            glBindTexture(GL_TEXTURE_2D, tile.texture);
            glBegin(GL_QUADS);
            glTexCoord2f(su, tv);
            glVertex2f(x + w, y);
            glTexCoord2f(0, tv);
            glVertex2f(x, y);
            glTexCoord2f(0, 0);
            glVertex2f(x, y + h);
            glTexCoord2f(su, 0);
            glVertex2f(x + w, y + h);
            glEnd();
            y += h;
            columnWidth = w;
        }
        x += columnWidth;
    }
    glEnable(GL_ALPHA_TEST);
    gfx2d::BindSpriteTexture(device, -1, -1, false);
}
