// Texturing objects: the texture pair, texture offsets, model-set textures, and the state the
// frame flip and the viewport reset.

#include "DrawTestSupport.h"

namespace {

const unsigned kRed = 0x0000FF;
const unsigned kBlue = 0xFF0000;
const unsigned kGreen = 0x00FF00;

class TexturingTest : public GlRuntimeTest {
  protected:
    void SetUp() override {
        GlRuntimeTest::SetUp();
        UploadPicture(3, 64, 64, [](int x, int) { return x < 32 ? kRed : kBlue; });
        BuildSquare(1, 100);
        LookAtOriginFrom(1000);
    }
};

// A texture of 4 x 4 cells in distinct colours: drawn with an offset of whole cells, every
// cell shows the colour that the cell the offset points at shows without one. Objects keep v
// negated for drawing, so an offset along v points down the object's v.
TEST_F(TexturingTest, OffsetsShiftTheTextureInBothDirections) {
    UploadPicture(4, 64, 64, [](int x, int y) {
        return 60 * (x / 16) + 30 + (60 * (y / 16) + 30) * 256 + 0x800000u;
    });
    SetTexture3D(4, -1);
    // The square's texture runs from u = 0 at x = -100 to 1 at x = 100, v likewise along y.
    auto cellColour = [](int i, int j) {
        ClearDepth();
        DrawObject(1, 0);
        return ColourOf(-75 + 50 * i, -75 + 50 * j, 0);
    };
    unsigned plain[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            plain[i][j] = cellColour(i, j);
    const int offsets[][2] = {{1, 0}, {0, 1}, {3, 2}, {-1, -3}, {0, 0}};
    for (const auto& offset : offsets) {
        SetTextureOffset(offset[0] / 4.0, offset[1] / 4.0);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                EXPECT_EQ(cellColour(i, j), plain[(i + offset[0] + 4) % 4][(j - offset[1] + 4) % 4])
                    << "offset " << offset[0] << "," << offset[1] << " cell " << i << "," << j;
    }
    // Blended draws of two frames in one place do not add the offset up.
    BuildWalkingSquare(1, 100, 2, 0);
    SetTextureOffset(0.25, 0);
    for (int draw = 0; draw < 3; ++draw) {
        ClearDepth();
        DrawObjectAnim(1, 0, 1, 0.5, 0);
        EXPECT_EQ(ColourOf(-75, -75, 0), plain[1][0]) << "blended draw " << draw;
    }
    End3D();
}

// A model set's parts bind their own textures from the set's list, whatever the sprite pair;
// indices beyond the list bind none. Every change of pair must reach the second texture unit,
// though draws skip setting up what the draw before them left in place; so must each change
// of object, with or without vertex colours. Colours are read a quarter and three quarters
// across the square.
TEST_F(TexturingTest, ModelSetsBindTheirOwnTexturesAndTheSecondUnitFollowsEveryChange) {
    TempDir folder;
    WritePicture(folder.File("halves.bmp"), 64, 64,
                 [](int x, int) { return x < 32 ? kRed : kBlue; });
    WritePicture(folder.File("grey.bmp"), 8, 8, [](int, int) { return 0x808080u; });
    ASSERT_EQ(SaveObject(folder.File("square.ddd").c_str(), 1), 1);
    // Sets 11 to 13: the square with textures 1 and none (9 is beyond the list), with none,
    // and with 1 and 2.
    for (const auto& [id, ta, tb] : {std::tuple{11, 1, 9}, {12, 9, 9}, {13, 1, 2}}) {
        const std::string text = ";DDW\n[textures]\ncount=2\n1=halves.bmp\n2=grey.bmp\n"
                                 "[objects]\ncount=1\n1=square.ddd\n1ta=" +
                                 std::to_string(ta) + "\n1tb=" + std::to_string(tb) + "\n";
        ASSERT_EQ(LoadObject(folder.Write("set.ddw", text).c_str(), id), 1);
    }
    UploadPicture(4, 8, 8, [](int, int) { return 0x808080u; });
    BuildSquare(2, 100, kGreen); // vertex colours
    const unsigned halfRed = 0x000080, halfBlue = 0x800000, white = 0xFFFFFF;
    const struct {
        int id, a, b;
        unsigned left, right;
    } draws[] = {
        {1, 3, 4, halfRed, halfBlue}, {1, 3, -1, kRed, kBlue},   {1, 3, 4, halfRed, halfBlue},
        {11, 3, 4, kRed, kBlue},      {12, 3, 4, white, white},  {13, -1, -1, halfRed, halfBlue},
        {1, 3, -1, kRed, kBlue},      {1, -1, -1, white, white}, {2, -1, -1, kGreen, kGreen},
        {1, -1, -1, white, white},    {1, 3, -1, kRed, kBlue},
    };
    for (const auto& draw : draws) {
        SetTexture3D(draw.a, draw.b);
        ClearDepth();
        DrawObject(draw.id, 0);
        for (const auto& [got, want] :
             {std::pair{ColourOf(-50, 0, 0), draw.left}, {ColourOf(50, 0, 0), draw.right}})
            EXPECT_TRUE(Near(got, want, 3)) << "draw " << &draw - draws << ": " << std::hex << got;
    }
    // Cel shading uses the second unit for its ramp.
    SetTexture3D(3, -1);
    DefineLight(-2, 0xFFFFFF, 0, 0, 1000, 0, 0, 0, 1);
    ClearDepth();
    DrawObject(1, 0);
    DefineLight(-2, 0, 0, 0, 0, 0, 0, 0, 0);
    ClearDepth();
    DrawObject(1, 0);
    EXPECT_EQ(ColourOf(-50, 0, 0), kRed);
    End3D();

    // Loading a file that is there empties the slot first, textures included.
    const GLuint texture = Rt().objects->Slot(13)->textures[0];
    ASSERT_TRUE(glIsTexture(texture));
    ASSERT_EQ(LoadObject(folder.Write("broken.ddd", "").c_str(), 13), 0);
    EXPECT_FALSE(glIsTexture(texture));
}

} // namespace
