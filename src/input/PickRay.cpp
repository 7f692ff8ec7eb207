// Pick-ray arithmetic, written out in the renderer's row-vector convention so it reads like its formulas.
#include "input/PickRay.h"

#include <cmath>

namespace Input {
namespace {

float At(const Matrix& m, int row, int column) { return m[static_cast<std::size_t>((row - 1) * 4 + (column - 1))]; }

}  // namespace

Matrix IdentityMatrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

bool InvertMatrix(const Matrix& m, Matrix& inverse) {
    // Cofactor expansion over 2 x 2 minors of the top and bottom row pairs.
    const float s0 = m[0] * m[5] - m[4] * m[1];
    const float s1 = m[0] * m[6] - m[4] * m[2];
    const float s2 = m[0] * m[7] - m[4] * m[3];
    const float s3 = m[1] * m[6] - m[5] * m[2];
    const float s4 = m[1] * m[7] - m[5] * m[3];
    const float s5 = m[2] * m[7] - m[6] * m[3];
    const float c5 = m[10] * m[15] - m[14] * m[11];
    const float c4 = m[9] * m[15] - m[13] * m[11];
    const float c3 = m[9] * m[14] - m[13] * m[10];
    const float c2 = m[8] * m[15] - m[12] * m[11];
    const float c1 = m[8] * m[14] - m[12] * m[10];
    const float c0 = m[8] * m[13] - m[12] * m[9];
    const float determinant = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (determinant == 0.0f || !std::isfinite(determinant)) {
        return false;
    }
    const float k = 1.0f / determinant;
    inverse = {
        (m[5] * c5 - m[6] * c4 + m[7] * c3) * k,   (-m[1] * c5 + m[2] * c4 - m[3] * c3) * k,
        (m[13] * s5 - m[14] * s4 + m[15] * s3) * k, (-m[9] * s5 + m[10] * s4 - m[11] * s3) * k,
        (-m[4] * c5 + m[6] * c2 - m[7] * c1) * k,  (m[0] * c5 - m[2] * c2 + m[3] * c1) * k,
        (-m[12] * s5 + m[14] * s2 - m[15] * s1) * k, (m[8] * s5 - m[10] * s2 + m[11] * s1) * k,
        (m[4] * c4 - m[5] * c2 + m[7] * c0) * k,   (-m[0] * c4 + m[1] * c2 - m[3] * c0) * k,
        (m[12] * s4 - m[13] * s2 + m[15] * s0) * k, (-m[8] * s4 + m[9] * s2 - m[11] * s0) * k,
        (-m[4] * c3 + m[5] * c1 - m[6] * c0) * k,  (m[0] * c3 - m[1] * c1 + m[2] * c0) * k,
        (-m[12] * s3 + m[13] * s1 - m[14] * s0) * k, (m[8] * s3 - m[9] * s1 + m[10] * s0) * k,
    };
    return true;
}

bool PickRay::Aim(int x, int y, int width, int height, const Matrix& projection, const Matrix& view) {
    Matrix m;
    if (width <= 0 || height <= 0 || At(projection, 1, 1) == 0.0f || At(projection, 2, 2) == 0.0f ||
        !InvertMatrix(view, m)) {
        return false;
    }
    const float vx = (2.0f * static_cast<float>(x) / static_cast<float>(width) - 1.0f) / At(projection, 1, 1);
    const float vy = -((2.0f * static_cast<float>(y) / static_cast<float>(height) - 1.0f) / At(projection, 2, 2));
    direction[0] = vx * At(m, 1, 1) + vy * At(m, 2, 1) + At(m, 3, 1);
    direction[1] = vx * At(m, 1, 2) + vy * At(m, 2, 2) + At(m, 3, 2);
    direction[2] = vx * At(m, 1, 3) + vy * At(m, 2, 3) + At(m, 3, 3);
    origin[0] = At(m, 4, 1);
    origin[1] = At(m, 4, 2);
    origin[2] = At(m, 4, 3);
    return true;
}

float PickRay::XAt(float z) const {
    return direction[2] == 0.0f ? origin[0] : origin[0] + (z - origin[2]) / direction[2] * direction[0];
}

float PickRay::YAt(float z) const {
    return direction[2] == 0.0f ? origin[1] : origin[1] + (z - origin[2]) / direction[2] * direction[1];
}

}  // namespace Input
