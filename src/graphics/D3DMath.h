// Matrix helpers in the row-vector, left-handed convention the camera and level formulas are written in.
#pragma once

#include <array>
#include <glm/glm.hpp>

namespace Graphics {

// glm's matrix algebra equals the row-vector one as long as points multiply from the left
// (`point * matrix`); only the element naming differs, so these helpers name elements _rc.
inline float& At(glm::mat4& m, int row, int column) {
    return m[column - 1][row - 1];
}
inline float At(const glm::mat4& m, int row, int column) {
    return m[column - 1][row - 1];
}

// A matrix from its sixteen elements row by row (_11, _12, ... _44).
glm::mat4 MatrixFromRows(const std::array<float, 16>& rows);
// The sixteen elements row by row, as the input service's pick ray reads them.
std::array<float, 16> MatrixToRows(const glm::mat4& m);

// Left-handed perspective with depth mapped to [0, 1].
glm::mat4 PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
glm::mat4 Translation(float x, float y, float z);
glm::mat4 Scaling(float x, float y, float z);
// Turns x toward y (counter-clockwise on screen, the camera looking along +z).
glm::mat4 RotationZ(float angle);
// Turns z toward x.
glm::mat4 RotationY(float angle);
// Turns y toward z.
glm::mat4 RotationX(float angle);

// The point transformed as a row vector with w = 1.
glm::vec4 TransformPoint(const glm::vec3& point, const glm::mat4& m);

}  // namespace Graphics
