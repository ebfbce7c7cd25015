#include "gfx3d/TransformStack.h"

#include <cmath>

namespace {

const float kRadiansPerDegree = 0.017453292f;

} // namespace

Mat4 gfx3d::RotationMatrix(float angleDegrees, float x, float y, float z) {
    const float angle = angleDegrees * kRadiansPerDegree;
    Mat4 r = Mat4::Identity();
    const int nonZero = (x != 0) + (y != 0) + (z != 0);
    if (nonZero == 1) {
        const float signedAngle = (x + y + z) > 0 ? angle : -angle;
        const float c = std::cos(signedAngle), s = std::sin(signedAngle);
        // The two coordinates the rotation mixes, in right-handed order.
        const int a = x != 0 ? 1 : y != 0 ? 2 : 0;
        const int b = x != 0 ? 2 : y != 0 ? 0 : 1;
        r.At(a, a) = c;
        r.At(a, b) = -s;
        r.At(b, a) = s;
        r.At(b, b) = c;
        return r;
    }
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length <= 0.0001f) return r;
    x /= length;
    y /= length;
    z /= length;
    const float c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    r.At(0, 0) = t * x * x + c;
    r.At(0, 1) = t * x * y - s * z;
    r.At(0, 2) = t * x * z + s * y;
    r.At(1, 0) = t * x * y + s * z;
    r.At(1, 1) = t * y * y + c;
    r.At(1, 2) = t * y * z - s * x;
    r.At(2, 0) = t * x * z - s * y;
    r.At(2, 1) = t * y * z + s * x;
    r.At(2, 2) = t * z * z + c;
    return r;
}

void TransformLevel::Reset(const Mat4& parent) {
    extraCount = 0;
    rotationCount = 0;
    scale[0] = scale[1] = scale[2] = 1;
    position[0] = position[1] = position[2] = 0;
    base = parent;
    composed = parent;
    valid = true;
}

void TransformStack::Reset() {
    depth_ = 0;
    levels_[0].Reset(Mat4::Identity());
}

const Mat4& TransformStack::Composed() {
    TransformLevel& level = Current();
    if (level.valid) return level.composed;
    // A vertex is scaled, rotated by the rotations in the order given, moved, then placed by
    // the extra matrices and the parent.
    Mat4 m = level.base;
    for (int i = 0; i < level.extraCount; ++i)
        m = m * level.extra[i];
    if (level.position[0] != 0 || level.position[1] != 0 || level.position[2] != 0)
        m = m * gfx3d::TranslationMatrix(level.position[0], level.position[1], level.position[2]);
    for (int i = level.rotationCount - 1; i >= 0; --i) {
        const Rotation& r = level.rotations[i];
        m = m * gfx3d::RotationMatrix(r.angle, r.axis[0], r.axis[1], r.axis[2]);
    }
    if (level.scale[0] != 1 || level.scale[1] != 1 || level.scale[2] != 1)
        m = m * gfx3d::ScaleMatrix(level.scale[0], level.scale[1], level.scale[2]);
    level.composed = m;
    level.valid = true;
    return level.composed;
}

void TransformStack::StartOver(TransformLevel& level) {
    // The base stays the parent's composed matrix: a parent cannot change while a child is open.
    level.rotationCount = 0;
    level.extraCount = 0;
    level.valid = false;
}

void TransformStack::Move(float x, float y, float z) {
    TransformLevel& level = Current();
    StartOver(level);
    level.position[0] = x;
    level.position[1] = y;
    level.position[2] = z;
}

void TransformStack::Scale(float x, float y, float z) {
    TransformLevel& level = Current();
    StartOver(level);
    level.scale[0] = x;
    level.scale[1] = y;
    level.scale[2] = z;
}

void TransformStack::Rotate(float angle, float x, float y, float z) {
    TransformLevel& level = Current();
    if (level.rotationCount >= TransformLevel::kMaxRotations) return;
    level.rotations[level.rotationCount++] = Rotation{angle, {x, y, z}};
    level.valid = false;
}

void TransformStack::MultiplyMatrix(const Mat4& matrix) {
    TransformLevel& level = Current();
    if (level.extraCount >= TransformLevel::kMaxExtraMatrices) return;
    level.extra[level.extraCount++] = matrix;
    level.valid = false;
}

void TransformStack::Push() {
    if (depth_ + 1 >= kLevelCount) return;
    const Mat4 parent = Composed();
    ++depth_;
    Current().Reset(parent);
}

void TransformStack::Pop() {
    if (depth_ == 0) {
        levels_[0].Reset(Mat4::Identity());
        return;
    }
    --depth_;
}
