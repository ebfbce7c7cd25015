// Small 4x4 matrix and vector helpers of the 3D scene. Matrices are 16 floats in GL's
// column-major order: element (row r, column c) is m[c * 4 + r].
#pragma once

#include <cmath>

struct Mat4 {
    float m[16];

    static Mat4 Identity() { return Mat4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }
    float At(int row, int column) const { return m[column * 4 + row]; }
    float& At(int row, int column) { return m[column * 4 + row]; }
};

inline Mat4 operator*(const Mat4& a, const Mat4& b) {
    Mat4 r;
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row) {
            float sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.At(row, k) * b.At(k, c);
            r.At(row, c) = sum;
        }
    return r;
}

namespace gfx3d {

// (x, y, z, w) multiplied by the matrix, as a column vector.
inline void Transform(const Mat4& a, const double in[4], double out[4]) {
    for (int row = 0; row < 4; ++row) {
        out[row] = 0;
        for (int k = 0; k < 4; ++k)
            out[row] += static_cast<double>(a.At(row, k)) * in[k];
    }
}

inline Mat4 TranslationMatrix(float x, float y, float z) {
    Mat4 t = Mat4::Identity();
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

inline Mat4 ScaleMatrix(float x, float y, float z) {
    Mat4 s = Mat4::Identity();
    s.m[0] = x;
    s.m[5] = y;
    s.m[10] = z;
    return s;
}

// The inverse of a general 4x4 matrix in double precision; false when it is singular.
bool InvertMatrix(const double in[16], double out[16]);

// The point p transformed by the rigid inverse of m (its transposed rotation part and the
// matching translation): where a world point lies in the object space m describes.
void RigidInverseTransform(const Mat4& m, const float p[3], float out[3]);

// Length of column c's first three entries: the scale along that axis.
inline float ColumnLength(const Mat4& m, int c) {
    return std::sqrt(m.m[c * 4] * m.m[c * 4] + m.m[c * 4 + 1] * m.m[c * 4 + 1] +
                     m.m[c * 4 + 2] * m.m[c * 4 + 2]);
}

// Normalises v in place when its squared length exceeds 1e-7.
inline void NormaliseIfLong(float v[3]) {
    const float lengthSquared = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (lengthSquared <= 1e-7f) return;
    const float length = std::sqrt(lengthSquared);
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

} // namespace gfx3d
