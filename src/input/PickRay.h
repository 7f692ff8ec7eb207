// The ray from the camera through the cursor, from the renderer's projection and view matrices.
#pragma once

#include <array>

namespace Input {

// A 4 x 4 matrix in row-vector convention, row by row: _11, _12, _13, _14, _21, ... _44.
using Matrix = std::array<float, 16>;

Matrix IdentityMatrix();
// False (and `inverse` untouched) when the matrix has no inverse.
bool InvertMatrix(const Matrix& matrix, Matrix& inverse);

struct PickRay {
    float origin[3] = {0.0f, 0.0f, 0.0f};
    float direction[3] = {0.0f, 0.0f, 1.0f};

    // The ray through client pixel (x, y) of a width x height client area. False, leaving the ray as
    // it was, when the area is empty or the matrices give no ray (a degenerate projection or view).
    bool Aim(int x, int y, int width, int height, const Matrix& projection, const Matrix& view);
    // Where the ray crosses the plane at depth z; a ray parallel to the plane gives its origin.
    float XAt(float z) const;
    float YAt(float z) const;
};

}  // namespace Input
