// The 3D scene for game code: entering and leaving 3D mode, the camera, lights, fog, culling
// and projecting points. Colours are R + G*256 + B*65536. None of these reports failure;
// outside a running program they do nothing.
#pragma once

// Enters 3D mode in the current viewport: perspective with the given vertical field of view in
// degrees, or a parallel projection when fov <= 0; resets camera up, object transform, lights'
// switch, cull mode and effect light.
void Begin3D(double nearDistance, double farDistance, double fov);
// Ends the shadow pass if one is open and returns to 2D drawing over the whole screen.
void End3D();
// The up vector the next SetCamera uses.
void SetCameraUp(double x, double y, double z);
// Places the eye and points it at the target; resets the object transform.
void SetCamera(double eyeX, double eyeY, double eyeZ, double targetX, double targetY,
               double targetZ);
// 0: no face culling; positive: cull with clockwise front faces; negative: counter-clockwise.
void SetCullMode(double mode);
// Light id (taken modulo 8) as a directional light shining from the camera eye's direction.
void SetLight(double id, double colour);
// Light id (modulo 8): all-zero vectors give a light along the view, cut-off 180 a directional
// light along (dx, dy, dz), above 90 a point light, up to 90 a spot light; cut-off 0 switches
// it off. Negative ids set the effect light: -1 bump mapping, -3 shadow volumes (and the
// shadow pass), others cel shading; cut-off 0 switches it off.
void DefineLight(double id, double colour, double x, double y, double z, double dx, double dy,
                 double dz, double cutOff);
// Fog in colour (-1: off): exponential with density a, or linear from a to b (both 0: from the
// near to the far distance).
void SetFog(double colour, double exponential, double a, double b);
// Clears the depth buffer.
void ClearDepth();
// The window position (pixels from the top-left) and depth 0..1 of a world point; the outputs
// stay unchanged when the point cannot be projected.
void ProjectToScreen(double x, double y, double z, double& sx, double& sy, double& depth);
// The world point at a window position and depth; the outputs stay unchanged when there is
// none.
void ScreenToWorld(double sx, double sy, double depth, double& x, double& y, double& z);
