#include "DrawTestSupport.h"

#include "gfx2d/ImageCodec.h"
#include "gfx3d/MeshObject.h"

namespace {

// Loads an object from its text form.
void LoadText(int id, const std::string& text) {
    TempDir folder;
    LoadObject(folder.Write("object.txt", text).c_str(), id);
}

} // namespace

// Corners in counter-clockwise order around the outward side, as one strip, which winds its
// triangles clockwise seen from outside, as the engine's normals expect.
void BuildSquare(int id, float half, unsigned colour) {
    BeginObject(id);
    const float corners[4][2] = {{-half, -half}, {-half, half}, {half, -half}, {half, half}};
    for (const auto& c : corners)
        AddObjectVertex(c[0], c[1], 0, c[0] > 0, c[1] > 0, colour);
    EndObject();
}

// Text objects list each face's corners clockwise seen from outside. Corner i lies at -half
// or +half along x, y and z by its bits 1, 2 and 4.
void BuildBox(int id, float half, float x, float y, float z) {
    std::string text = "DDDA 1.0 0 6";
    for (const char* face : {"0 1 3 2", "4 6 7 5", "0 2 6 4", "1 5 7 3", "0 4 5 1", "2 3 7 6"})
        text += std::string(" 255 255 255 4 ") + face[0] + " 0 " + face[2] + " 0 " + face[4] +
                " 0 " + face[6] + " 0";
    text += " 1 8";
    const float centre[3] = {x, y, z};
    for (int i = 0; i < 8; ++i)
        for (int k = 0; k < 3; ++k)
            text += " " + std::to_string(centre[k] + ((i >> k) & 1 ? half : -half));
    LoadText(id, text);
}

void UploadPicture(int id, int width, int height, const PictureColour& colour) {
    TempDir folder;
    WritePicture(folder.File("p.bmp"), width, height, colour);
    LoadSprite(folder.File("p.bmp").c_str(), id);
}

void WritePicture(const std::string& path, int width, int height, const PictureColour& colour) {
    gfx2d::SavedPicture picture;
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < width * height; ++i) {
        const unsigned c = colour(i % width, height - 1 - i / width);
        picture.bgrBottomUp.insert(picture.bgrBottomUp.end(),
                                   {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
    gfx2d::WriteBmpFile(path, picture);
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
    LoadText(id, text);
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
