// Device-level operations of the 3D scene: entering and leaving 3D mode, the camera and its
// frustum, lights, fog, the stencil-shadow pass and projecting points.
#pragma once

#include <cstdint>

class OpenGLRainbows;
class Scene3D;

namespace gfx3d {

void Begin3D(OpenGLRainbows& device, Scene3D& scene, float nearDistance, float farDistance,
             float fov);
void End3D(OpenGLRainbows& device, Scene3D& scene);
void SetCamera(Scene3D& scene, const float eye[3], const float target[3]);
// The light with GL id (id & 7), the effect light for negative ids. See DefineLight.
void DefineLight(Scene3D& scene, int id, int64_t colour, const float position[3],
                 const float direction[3], float cutOff);
void SetFog(const Scene3D& scene, int64_t colour, bool exponential, float a, float b);
void SetCullMode(Scene3D& scene, int mode);

} // namespace gfx3d

// Switches the stencil-shadow pass on; nothing when it is on already.
void OpenShadowPass(Scene3D& scene);
// Darkens what the shadow volumes marked and ends the pass; nothing when it is off.
void CloseShadowPass(OpenGLRainbows& device, Scene3D& scene);

// A world point in window pixels (y from the top) and depth 0..1; false (outputs untouched)
// when it projects to w = 0.
bool ProjectPoint(const double point[3], double& sx, double& sy, double& depth);
// The inverse: a window point and depth to world; false (outputs untouched) when w = 0.
bool UnprojectPoint(const OpenGLRainbows& device, double sx, double sy, double depth,
                    double out[3]);

// Red, green, blue of a colour number 0xBBGGRR, each 0..1.
void ColourToFloats(int64_t colour, float rgb[3]);

// Frame-loop hooks of the running program's scene: the first ends any open shadow pass, the
// second starts a frame with mipmapping off and both texture units combining by modulation.
void CloseSceneShadowPass(OpenGLRainbows* device, Scene3D* scene);
void ResetSceneFrameState(OpenGLRainbows* device);
