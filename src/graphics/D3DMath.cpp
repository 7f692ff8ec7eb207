// Matrix helpers in the row-vector convention.
#include "graphics/D3DMath.h"

#include <cmath>

namespace Graphics {

glm::mat4 MatrixFromRows(const std::array<float, 16>& rows) {
    glm::mat4 m(0.0f);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            m[c][r] = rows[static_cast<std::size_t>(r * 4 + c)];
        }
    }
    return m;
}

std::array<float, 16> MatrixToRows(const glm::mat4& m) {
    std::array<float, 16> rows{};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            rows[static_cast<std::size_t>(r * 4 + c)] = m[c][r];
        }
    }
    return rows;
}

glm::mat4 PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float xScale = yScale / aspect;
    const float depth = zFar / (zFar - zNear);
    return MatrixFromRows({xScale, 0.0f, 0.0f, 0.0f,  //
                           0.0f, yScale, 0.0f, 0.0f,  //
                           0.0f, 0.0f, depth, 1.0f,   //
                           0.0f, 0.0f, -zNear * depth, 0.0f});
}

glm::mat4 Translation(float x, float y, float z) {
    glm::mat4 m(1.0f);
    At(m, 4, 1) = x;
    At(m, 4, 2) = y;
    At(m, 4, 3) = z;
    return m;
}

glm::mat4 Scaling(float x, float y, float z) {
    glm::mat4 m(1.0f);
    At(m, 1, 1) = x;
    At(m, 2, 2) = y;
    At(m, 3, 3) = z;
    return m;
}

glm::mat4 RotationZ(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return MatrixFromRows({c, s, 0.0f, 0.0f,        //
                           -s, c, 0.0f, 0.0f,       //
                           0.0f, 0.0f, 1.0f, 0.0f,  //
                           0.0f, 0.0f, 0.0f, 1.0f});
}

glm::mat4 RotationY(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return MatrixFromRows({c, 0.0f, -s, 0.0f,       //
                           0.0f, 1.0f, 0.0f, 0.0f,  //
                           s, 0.0f, c, 0.0f,        //
                           0.0f, 0.0f, 0.0f, 1.0f});
}

glm::mat4 RotationX(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return MatrixFromRows({1.0f, 0.0f, 0.0f, 0.0f,  //
                           0.0f, c, s, 0.0f,        //
                           0.0f, -s, c, 0.0f,       //
                           0.0f, 0.0f, 0.0f, 1.0f});
}

glm::vec4 TransformPoint(const glm::vec3& point, const glm::mat4& m) {
    return glm::vec4(point, 1.0f) * m;
}

}  // namespace Graphics
