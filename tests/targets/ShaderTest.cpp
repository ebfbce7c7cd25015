// GLSL programs from files: building, selecting, uniforms, logs and shaders from the resource
// pack; read back from a real GL context. The rebuild of a changed file is the hot reload's.
#include <cstdlib>

#include "core/ErrorLog.h"
#include "files/PackCodec.h"
#include "files/ResourcePack.h"
#include "support/TempDir.h"
#include "support/TestRuntime.h"
#include "vornic.h"

namespace {

const unsigned kRed = 0x0000FF, kBlue = 0xFF0000;

// Paints red by the uniform "level" and blue by what is left of it.
const char kLevelShader[] = "uniform float level;\n"
                            "void main() { gl_FragColor = vec4(level, 0.0, 1.0 - level, 1.0); }\n";
const char kGreenShader[] = "void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n";
// Swaps red and blue of the vertex colour; the fixed-function fragment stage does the rest.
const char kSwapVertexShader[] = "void main() { gl_Position = ftransform();\n"
                                 "  gl_FrontColor = gl_Color.bgra; }\n";
const char kBrokenShader[] = "void main() { gl_FragColor = vec4(1.0) +* 2; }\n";

class Shaders : public GlRuntimeTest {
  protected:
    // The colour a rectangle gets with the current program.
    static unsigned Painted() {
        DrawRect(10, 10, 20, 20, kBlue);
        return ReadPixel(20, 20);
    }
    static std::string Log() { return ReadWholeFile(LogFilePath()); }

    TempDir folder_;
    ScopedTmpDir logHere_{folder_.Path()};
};

// A vertex shader alone also builds, here from the resource pack.
TEST_F(Shaders, ProgramsPaintTheirColourUntilFixedFunctionReturns) {
    const std::string level = folder_.Write("level.frag", kLevelShader);
    ASSERT_EQ(LoadShader(4, "", RtString(level.c_str())), 1);
    UseShader(4);
    EXPECT_EQ(Painted(), kBlue); // level starts at 0
    SetShaderFloat("level", 1.0);
    SetShaderFloat("no such uniform", 0.0);
    EXPECT_EQ(Painted(), kRed);
    UseShader(-1);
    EXPECT_EQ(Painted(), kBlue);
    std::string error;
    const std::string pack =
        folder_.Write("fx.pak", files::BuildPack({{"fx/swap.vert", kSwapVertexShader}},
                                                 files::PackMethod::Deflate, error));
    SetResourcePacks(RtString(pack.c_str()), "");
    ASSERT_EQ(LoadShader(0, "fx/swap.vert", ""), 1);
    UseShader(0);
    EXPECT_EQ(Painted(), kRed);
    // Every frame starts without a program.
    PresentFrame();
    EXPECT_EQ(Painted(), kBlue);
}

TEST_F(Shaders, FailuresReturnZeroAndSayWhyInTheLog) {
    const std::string broken = folder_.Write("broken.frag", kBrokenShader);
    const std::string green = folder_.Write("green.frag", kGreenShader);
    const struct {
        double id;
        std::string vertex, fragment, logged;
    } cases[] = {
        {255, "", green, ""},
        {1, "", "", ""},
        {2, "", broken, "LoadShader(\"" + broken + "\"): does not compile"},
        {3, folder_.File("missing.vert"), green, "missing.vert\"): not found"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadShader(c.id, RtString(c.vertex.c_str()), RtString(c.fragment.c_str())), 0)
            << c.id;
        EXPECT_NE(Log().find(c.logged), std::string::npos) << c.id << "\n" << Log();
    }
    // The GL's own words follow the line naming the file.
    EXPECT_NE(Log().find("error"), std::string::npos) << Log();
}

class ShadersOff : public Shaders {
  protected:
    void SetUp() override {
        setenv("VORNIC_NO_SHADERS", "1", 1);
        GlRuntimeTest::SetUp();
        unsetenv("VORNIC_NO_SHADERS");
    }
};

TEST_F(ShadersOff, TheMissingSupportIsLoggedOnce) {
    const std::string green = folder_.Write("green.frag", kGreenShader);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(LoadShader(i, "", RtString(green.c_str())), 0);
    const std::string log = Log(), line = "No OpenGL 2.0 Shader Support\r\n";
    EXPECT_TRUE(log.find(line) != std::string::npos && log.find(line) == log.rfind(line)) << log;
}

} // namespace
