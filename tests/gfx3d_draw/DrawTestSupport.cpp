#include "DrawTestSupport.h"

#include "gfx2d/ImageCodec.h"
#include "gfx2d/SpriteStore.h"
#include "gfx3d/MeshObject.h"

namespace {

struct Corner {
    float p[3];
};

// One face as its own strip from corners in counter-clockwise order around its outward side.
// The strip winds its triangles clockwise seen from outside, as the engine's normals expect.
void AddFace(const Corner c[4], unsigned colour) {
    NewObjectGroup();
    const int order[4] = {0, 3, 1, 2};
    for (int i : order)
        AddObjectVertex(c[i].p[0], c[i].p[1], c[i].p[2], i == 1 || i == 2 ? 1 : 0, i >= 2 ? 1 : 0,
                        colour);
}

// The face of a box with outward normal sign * axis.
void AddBoxFace(const float centre[3], float half, int axis, int sign, unsigned colour) {
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    const float du[4] = {-half, half, half, -half};
    const float dv[4] = {-half, -half, half, half};
    Corner corners[4];
    for (int i = 0; i < 4; ++i) {
        const int k = sign > 0 ? i : (4 - i) % 4;
        for (int a = 0; a < 3; ++a)
            corners[i].p[a] = centre[a];
        corners[i].p[axis] += sign * half;
        corners[i].p[u] += du[k];
        corners[i].p[v] += dv[k];
    }
    AddFace(corners, colour);
}

} // namespace

void BuildSquare(int id, float half, unsigned colour) {
    BeginObject(id);
    const Corner corners[4] = {
        {{-half, -half, 0}}, {{half, -half, 0}}, {{half, half, 0}}, {{-half, half, 0}}};
    AddFace(corners, colour);
    EndObject();
}

void BuildFloor(int id, float half, float y) {
    BeginObject(id);
    const Corner corners[4] = {
        {{-half, y, half}}, {{half, y, half}}, {{half, y, -half}}, {{-half, y, -half}}};
    AddFace(corners, 0xFFFFFF);
    EndObject();
}

void BuildBox(int id, float half, float x, float y, float z) {
    BeginObject(id);
    const float centre[3] = {x, y, z};
    for (int axis = 0; axis < 3; ++axis)
        for (int sign : {1, -1})
            AddBoxFace(centre, half, axis, sign, 0xFFFFFF);
    EndObject();
}

void UploadPicture(int id, int width, int height, const PictureColour& colour) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i) {
        const unsigned c = colour(i % width, i / width);
        image.pixels.insert(image.pixels.end(),
                            {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 255});
    }
    UploadImageToSlot(*Rt().gfx, id, image, false);
}

void WritePicture(const std::string& path, int width, int height, const PictureColour& colour) {
    SavedPicture picture;
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < width * height; ++i) {
        const unsigned c = colour(i % width, height - 1 - i / width);
        picture.bgrBottomUp.insert(picture.bgrBottomUp.end(),
                                   {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
    WriteBmpFile(path, picture);
}

void BuildWalkingSquare(int id, float half, int frameCount, float step) {
    // Four texture pairs, one white face over the four corners, then the frames.
    std::string text = "DDDA 1.0\n4 0 0 0 1 1 1 1 0\n1 255 255 255 4 0 0 1 1 2 2 3 3\n" +
                       std::to_string(frameCount) + "\n";
    for (int k = 0; k < frameCount; ++k) {
        text += "4";
        for (const auto& [x, y] :
             {std::pair{-half, -half}, {-half, half}, {half, half}, {half, -half}})
            text += " " + std::to_string(x + k * step) + " " + std::to_string(y) + " 0";
        text += "\n";
    }
    TempDir folder;
    LoadObject(folder.Write("walking.txt", text).c_str(), id);
}

void LookAtOriginFrom(float distance) {
    Begin3D(100, 20000, 45);
    SetCamera(0, 0, distance, 0, 0, 0);
}

void PixelOf(double x, double y, double z, int& px, int& py) {
    double sx = -1, sy = -1, depth = 0;
    ProjectToScreen(x, y, z, sx, sy, depth);
    px = static_cast<int>(sx);
    py = static_cast<int>(sy);
}

unsigned ColourOf(double x, double y, double z) {
    int px, py;
    PixelOf(x, y, z, px, py);
    return ReadPixel(px, py);
}
