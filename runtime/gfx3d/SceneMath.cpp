#include "gfx3d/SceneMath.h"

#include <cmath>
#include <utility>

bool gfx3d::InvertMatrix(const double in[16], double out[16]) {
    // Gauss-Jordan elimination with partial pivoting on [in | I].
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = in[c * 4 + r];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        if (std::fabs(a[pivot][c]) < 1e-300) return false;
        if (pivot != c)
            for (int k = 0; k < 8; ++k)
                std::swap(a[c][k], a[pivot][k]);
        const double scale = 1.0 / a[c][c];
        for (int k = 0; k < 8; ++k)
            a[c][k] *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == c || a[r][c] == 0.0) continue;
            const double factor = a[r][c];
            for (int k = 0; k < 8; ++k)
                a[r][k] -= factor * a[c][k];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            out[c * 4 + r] = a[r][c + 4];
    return true;
}

void gfx3d::RigidInverseTransform(const Mat4& m, const float p[3], float out[3]) {
    const float d[3] = {p[0] - m.m[12], p[1] - m.m[13], p[2] - m.m[14]};
    for (int c = 0; c < 3; ++c)
        out[c] = m.At(0, c) * d[0] + m.At(1, c) * d[1] + m.At(2, c) * d[2];
}
