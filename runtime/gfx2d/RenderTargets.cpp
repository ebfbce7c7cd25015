#include "gfx2d/RenderTargets.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx2d/ScreenImages.h"
#include "gfx2d/SpriteDrawing.h"
#include "gfx2d/SpriteStore.h"
#include "gfx2d/TexturePixels.h"
#include "gl/Framebuffers.h"
#include "gl/OpenGLRainbows.h"
#include "gl/SpriteBatch.h"

namespace {

// The copying path draws on the screen itself: opaque, unblended and at full strength whatever
// game code set, with the game's state put back afterwards.
class PlainDrawing {
  public:
    explicit PlainDrawing(OpenGLRainbows& device)
        : device_(device), alpha_(gfx2d::Sprites(device).globalAlpha),
          translucent_(gfx2d::Sprites(device).translucent) {
        FlushSpriteBatch(device);
        glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
        glDisable(GL_BLEND);
        glColor4f(1, 1, 1, 1);
        gfx2d::Sprites(device).ResetAlpha();
    }
    ~PlainDrawing() {
        FlushSpriteBatch(device_);
        glPopAttrib();
        gfx2d::Sprites(device_).globalAlpha = alpha_;
        gfx2d::Sprites(device_).translucent = translucent_;
    }
    PlainDrawing(const PlainDrawing&) = delete;
    PlainDrawing& operator=(const PlainDrawing&) = delete;

  private:
    OpenGLRainbows& device_;
    float alpha_;
    bool translucent_;
};

// Clears the depth of the target's area only, so that a 3D scene drawn into it starts afresh.
void ClearDepth(const OpenGLRainbows& device, const ActiveTarget& active) {
    glPushAttrib(GL_SCISSOR_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, SurfaceRows(device) - active.height, active.width, active.height);
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT);
    glPopAttrib();
}

// The copying path's start: the screen's corner is saved, cleared to transparent and shows the
// target's picture, which the drawing then goes on.
void StartCopying(OpenGLRainbows& device, int sprite, int width, int height) {
    PlainDrawing plain(device);
    gfx2d::GrabSprite(device, kTargetSaveSprite, 0, 0, width, height);
    gfx2d::DrawRect(device, 0, 0, width, height, gfx2d::Sprites(device).transparencyColour);
    gfx2d::DrawSprite(device, sprite, 0, 0);
}

// The copying path's end: the corner goes into the target's sprite and the saved screen comes
// back exactly (transparent pixels of it included, so no alpha test).
void FinishCopying(OpenGLRainbows& device, int sprite, int width, int height) {
    PlainDrawing plain(device);
    gfx2d::GrabSprite(device, sprite, 0, 0, width, height);
    glDisable(GL_ALPHA_TEST);
    gfx2d::DrawSprite(device, kTargetSaveSprite, 0, 0);
}

} // namespace

bool gfx2d::CreateRenderTarget(OpenGLRainbows& device, int target, int sprite, int width,
                               int height) {
    if (target < 0 || target >= kRenderTargetCount) return false;
    if (sprite < 0 || sprite >= kTargetSaveSprite || width < 1 || height < 1) return false;
    RenderTargetTable& table = device.renderTargets;
    const ActiveTarget& active = table.active;
    // A target is not rebuilt under the drawing that goes into it.
    if (active.id == target || (active.id >= 0 && table.targets[active.id].sprite == sprite))
        EndRenderTarget(device);

    const int largest = std::min(MaxTextureSize(device), kLargestTargetSide);
    width = std::min(width, largest);
    height = std::min(height, largest);
    const int texWidth = gfx2d::PowerOfTwoAtLeast(width, 2),
              texHeight = gfx2d::PowerOfTwoAtLeast(height, 2);
    const std::vector<uint8_t> blank(static_cast<size_t>(texWidth) * texHeight * 4, 0);
    gfx2d::EmptySlot(device, sprite);
    SpriteSlot& slot = gfx2d::Sprites(device).slots[sprite];
    // No mipmapped twin: made now it would go on showing the blank picture, so drawing that
    // asks for mipmaps takes the plain texture, which the target draws into.
    slot.plainTexture =
        gfx2d::CreatePlainTexture(texWidth, texHeight, blank.data(), GL_RGBA, GL_LINEAR);
    slot.textureWidth = texWidth;
    slot.textureHeight = texHeight;
    slot.imageWidth = width;
    slot.imageHeight = height;

    RenderTarget& entry = table.targets[target];
    MakeFramebuffer(device, entry, slot.plainTexture, slot.textureWidth, slot.textureHeight);
    entry.sprite = sprite;
    return true;
}

void gfx2d::SetRenderTarget(OpenGLRainbows& device, int target) {
    if (target >= kRenderTargetCount) return;
    EndRenderTarget(device);
    if (target < 0) return;
    RenderTargetTable& table = device.renderTargets;
    const RenderTarget& entry = table.targets[target];
    if (!gfx2d::SpriteIdValid(entry.sprite)) return;
    const SpriteSlot& slot = gfx2d::Sprites(device).slots[entry.sprite];
    if (!slot.Loaded() || slot.imageWidth < 1 || slot.imageHeight < 1) return;

    // The framebuffer draws into the sprite's texture only while the texture is the size it
    // was made for (a picture loaded into the sprite since then goes the copying way).
    const bool fits = slot.textureWidth == entry.width && slot.textureHeight == entry.height;
    ActiveTarget& active = table.active;
    FlushSpriteBatch(device);
    active.id = target;
    active.width = slot.imageWidth;
    active.height = slot.imageHeight;
    active.throughFramebuffer = fits && BindFramebuffer(device, entry, slot.plainTexture);
    Set2DProjection(device, 0, 0, active.width, active.height);
    if (!active.throughFramebuffer) StartCopying(device, entry.sprite, active.width, active.height);
    ClearDepth(device, active);
}

void gfx2d::EndRenderTarget(OpenGLRainbows& device) {
    RenderTargetTable& table = device.renderTargets;
    const ActiveTarget active = table.active;
    if (active.id < 0) return;
    const int sprite = table.targets[active.id].sprite;
    if (active.throughFramebuffer)
        UnbindFramebuffer(device);
    else
        FinishCopying(device, sprite, active.width, active.height);
    // The picture changed under the copy that collisions read.
    SpriteSlot& slot = gfx2d::Sprites(device).slots[sprite];
    slot.alphaCopy.clear();
    slot.alphaCopyRead = false;
    table.active = ActiveTarget{};
    Set2DProjection(device, 0, 0, 0, 0);
}
