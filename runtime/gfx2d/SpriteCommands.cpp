#include "gfx2d/SpriteCommands.h"

#include "core/ErrorLog.h"
#include "core/Number.h"
#include "core/Runtime.h"
#include "files/FilePaths.h"
#include "files/ResourceLookup.h"
#include "gfx2d/SpriteDrawing.h"
#include "gfx2d/SpriteStore.h"
#include "gl/OpenGLRainbows.h"
#include "os/System.h"

namespace {

// The sprite loaders' common path: the slot is emptied whatever happens, and a failure leaves
// its reason in the log. A picture loaded from a file on disk is watched when asked for.
double LoadPicture(const char* command, const RtString& file, double id, bool normalMap) {
    OpenGLRainbows* device = Rt().gfx.get();
    const int slot = ToInt(id);
    if (!device || !gfx2d::SpriteIdValid(slot)) return 0;
    ForgetAssetFiles(gfx2d::SpriteWatchKey(slot));
    ResourceResolver* lookup = Rt().resolvers[0].get();
    const std::optional<std::string> path = files::Resolve(lookup, file.CText());
    if (!path) {
        gfx2d::EmptySlot(*device, slot);
        LogFailedLoad(command, file.CText(), "not found");
        return 0;
    }
    const int64_t key =
        normalMap ? kDefaultTransparencyColour : gfx2d::Sprites(*device).transparencyColour;
    std::string why;
    if (!gfx2d::LoadImageIntoSlot(*device, slot, *path, key, normalMap, &why)) {
        LogFailedLoad(command, file.CText(), why.empty() ? "not a picture" : why);
        return 0;
    }
    if (files::ResolvedOnDisk(lookup, *path))
        WatchAssetFiles(gfx2d::SpriteWatchKey(slot), {*path},
                        [slot, path = os::AbsolutePath(*path), key, normalMap] {
                            OpenGLRainbows* device = Rt().gfx.get();
                            return device ? gfx2d::ReloadImageIntoSlot(*device, slot, path, key,
                                                                       normalMap)
                                          : std::string("no graphics device");
                        });
    return 1;
}

} // namespace

double LoadSprite(const RtString& file, double id) {
    return LoadPicture("LoadSprite", file, id, false);
}

double LoadBumpTexture(const RtString& file, double id) {
    return LoadPicture("LoadBumpTexture", file, id, true);
}

void DeleteSprite(double id) {
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device || !gfx2d::SpriteIdValid(ToInt(id))) return;
    gfx2d::EmptySlot(*device, ToInt(id));
    ForgetAssetFiles(gfx2d::SpriteWatchKey(ToInt(id)));
}

void SetTransparency(double colour) {
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device) return;
    gfx2d::Sprites(*device).transparencyColour = ToInt(colour);
    gfx2d::Sprites(*device).fontTransparencyColour = ToInt(colour);
}

void GetSpriteSize(double id, double& width, double& height) {
    OpenGLRainbows* device = Rt().gfx.get();
    width = height = 0;
    if (!device || !gfx2d::SpriteIdValid(ToInt(id))) return;
    const SpriteSlot& slot = gfx2d::Sprites(*device).slots[ToInt(id)];
    width = slot.imageWidth;
    height = slot.imageHeight;
}

double GetSpriteTexture(double id) {
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device || !gfx2d::SpriteIdValid(ToInt(id))) return 0;
    return gfx2d::Sprites(*device).slots[ToInt(id)].plainTexture;
}

void SetAlphaMode(double alpha) {
    if (OpenGLRainbows* device = Rt().gfx.get()) gfx2d::SetAlphaMode(*device, ToFloat(alpha));
}

void DrawSprite(double id, double x, double y) {
    if (OpenGLRainbows* device = Rt().gfx.get()) gfx2d::DrawSprite(*device, ToInt(id), x, y);
}

void StretchSprite(double id, double x, double y, double width, double height) {
    if (OpenGLRainbows* device = Rt().gfx.get())
        gfx2d::StretchSprite(*device, ToInt(id), x, y, width, height);
}

void ZoomSprite(double id, double x, double y, double zoomX, double zoomY) {
    if (OpenGLRainbows* device = Rt().gfx.get())
        gfx2d::ZoomSprite(*device, ToInt(id), x, y, zoomX, zoomY);
}

void RotoZoomSprite(double id, double x, double y, double angle, double zoom) {
    if (OpenGLRainbows* device = Rt().gfx.get())
        gfx2d::RotoZoomSprite(*device, ToInt(id), x, y, angle, zoom);
}

void StartPolygon(double id) {
    if (OpenGLRainbows* device = Rt().gfx.get()) gfx2d::StartPolygon(*device, ToInt(id));
}

void AddPolygonVertex(double x, double y, double s, double t, double colour) {
    if (OpenGLRainbows* device = Rt().gfx.get())
        gfx2d::AddPolygonVertex(*device, ToInt(x), ToInt(y), s, t, ToInt(colour));
}

void EndPolygon() {
    if (OpenGLRainbows* device = Rt().gfx.get()) gfx2d::EndPolygon(*device);
}

void DrawPixel(double x, double y, double colour) {
    if (OpenGLRainbows* device = Rt().gfx.get()) gfx2d::DrawPixel(*device, x, y, ToInt(colour));
}

void DrawLine(double x1, double y1, double x2, double y2, double colour) {
    if (OpenGLRainbows* device = Rt().gfx.get())
        gfx2d::DrawLine(*device, x1, y1, x2, y2, ToInt(colour));
}

void DrawRect(double x, double y, double width, double height, double colour) {
    if (OpenGLRainbows* device = Rt().gfx.get())
        gfx2d::DrawRect(*device, x, y, width, height, ToInt(colour));
}

double GetPixel(double x, double y) {
    OpenGLRainbows* device = Rt().gfx.get();
    return device ? static_cast<double>(gfx2d::PixelColour(*device, ToInt(x), ToInt(y))) : 0;
}

double SpriteCollision(double id1, double x1, double y1, double id2, double x2, double y2) {
    OpenGLRainbows* device = Rt().gfx.get();
    if (!device) return 0;
    return SpritesCollide(*device, ToInt(id1), ToInt(x1), ToInt(y1), ToInt(id2), ToInt(x2),
                          ToInt(y2));
}
