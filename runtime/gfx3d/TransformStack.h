// The object transform: a stack of 16 levels, each placing objects relative to its parent by
// a position, a list of rotations, a scale and optional extra matrices.
#pragma once

#include "gfx3d/SceneMath.h"

struct Rotation {
    float angle = 0; // degrees
    float axis[3] = {0, 0, 0};
};

struct TransformLevel {
    static constexpr int kMaxExtraMatrices = 16;
    static constexpr int kMaxRotations = 16;

    int extraCount = 0;
    Mat4 extra[kMaxExtraMatrices];
    int rotationCount = 0;
    Rotation rotations[kMaxRotations];
    float scale[3] = {1, 1, 1};
    float position[3] = {0, 0, 0};
    // What the parts of this level are applied to: the parent's composed matrix.
    Mat4 base = Mat4::Identity();
    // The composed matrix, valid while valid is set.
    Mat4 composed = Mat4::Identity();
    bool valid = true;

    // Makes the level place objects exactly as its base does.
    void Reset(const Mat4& parent);
};

class TransformStack {
  public:
    static constexpr int kLevelCount = 16;

    // Back to level 0, reset to the identity.
    void Reset();
    // The current level's composed matrix (composing it first when needed).
    const Mat4& Composed();
    int Depth() const { return depth_; }

    void Move(float x, float y, float z);
    void Scale(float x, float y, float z);
    // Appends a rotation; ignored when the level holds 16.
    void Rotate(float angle, float x, float y, float z);
    // Appends an extra matrix; ignored when the level holds 16.
    void MultiplyMatrix(const Mat4& matrix);
    // Opens the next level on the current composed matrix; ignored at the last level.
    void Push();
    // Back to the previous level; at level 0 resets it.
    void Pop();

  private:
    void StartOver(TransformLevel& level);
    TransformLevel& Current() { return levels_[depth_]; }

    TransformLevel levels_[kLevelCount];
    int depth_ = 0;
};

namespace gfx3d {

// The rotation matrix of angle degrees about an axis: a coordinate axis when exactly one
// component is non-zero (its sign turning the direction), else the normalised axis; an axis of
// length 0.0001 or less gives the identity.
Mat4 RotationMatrix(float angleDegrees, float x, float y, float z);

} // namespace gfx3d
