// Finding the faces of the level's cubes that a neighbour does not cover.
#include "graphics/CubeFaces.h"

#include <algorithm>
#include <cmath>

namespace Graphics {
namespace {

// Tile coordinates far beyond any level: a key stays defined whatever the list holds.
constexpr float kFarthestTile = 1073741824.0f;

std::int64_t Tile(float coordinate) {
    return static_cast<std::int64_t>(std::floor(std::clamp(coordinate, -kFarthestTile, kFarthestTile)));
}

std::int64_t Key(std::int64_t column, std::int64_t row) {
    return row * (std::int64_t{1} << 32) + column;
}

}  // namespace

CubeFaces::CubeFaces() {
    // The faces, and the way their texture runs, of the cube the level was always drawn with.
    std::vector<MeshVertex> corners;
    std::vector<std::uint32_t> indices;
    Mesh::UnitCube(corners, indices);
    for (std::size_t first = 0; first + 3 < corners.size(); first += 4) {
        const MeshVertex& corner = corners[first];
        Side side{};
        std::copy_n(corner.normal, 3, side.normal);
        std::copy_n(corner.tangent, 3, side.u);
        std::copy_n(corner.binormal, 3, side.v);
        for (std::size_t c = 0; c < 4; ++c) {
            std::copy_n(corners[first + c].uv, 2, side.corners[c]);
        }
        sides.push_back(side);
    }
}

std::int64_t CubeFaces::TileKey(float x, float y) {
    return Key(Tile(x), Tile(y));
}

void CubeFaces::SetSolid(const std::vector<InstanceRecord>& opaque) {
    spans.clear();
    for (const InstanceRecord& cube : opaque) {
        spans.push_back(
            {TileKey(cube.position[0], cube.position[1]), cube.position[2], cube.position[2] + 1.0f});
    }
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
        return a.tile != b.tile ? a.tile < b.tile : a.near < b.near;
    });
    // Cubes of a tile that touch or overlap fill one span: a block and the wall cube behind it.
    std::size_t kept = 0;
    for (const Span& span : spans) {
        if (kept > 0 && spans[kept - 1].tile == span.tile && span.near <= spans[kept - 1].far) {
            spans[kept - 1].far = std::max(spans[kept - 1].far, span.far);
        } else {
            spans[kept++] = span;
        }
    }
    spans.resize(kept);
}

std::pair<const CubeFaces::Span*, const CubeFaces::Span*> CubeFaces::SpansOf(std::int64_t tile) const {
    const auto first = std::lower_bound(spans.begin(), spans.end(), tile,
                                        [](const Span& span, std::int64_t key) { return span.tile < key; });
    auto last = first;
    while (last != spans.end() && last->tile == tile) {
        ++last;
    }
    return {spans.data() + (first - spans.begin()), spans.data() + (last - spans.begin())};
}

void CubeFaces::AddVisible(const InstanceRecord& cube) {
    const float near = cube.position[2];
    const float far = near + 1.0f;
    const std::int64_t column = Tile(cube.position[0]);
    const std::int64_t row = Tile(cube.position[1]);
    // The solid span the cube is part of: its front or back face is inside it unless the span
    // ends there.
    float solidNear = near;
    float solidFar = far;
    for (auto [span, end] = SpansOf(Key(column, row)); span != end; ++span) {
        if (span->near <= near && span->far >= far) {
            solidNear = span->near;
            solidFar = span->far;
        }
    }
    for (const Side& side : sides) {
        if (side.normal[2] != 0.0f) {
            if (side.normal[2] < 0.0f ? solidNear == near : solidFar == far) {
                AddFace(cube, side, near, far);
            }
            continue;
        }
        // A side face shows only where the neighbour it lies against leaves the depth empty.
        const auto [first, end] = SpansOf(Key(column + static_cast<std::int64_t>(side.normal[0]),
                                              row + static_cast<std::int64_t>(side.normal[1])));
        float open = near;
        for (const Span* span = first; span != end && open < far; ++span) {
            if (span->far <= open) {
                continue;
            }
            if (span->near >= far) {
                break;
            }
            if (span->near > open) {
                AddFace(cube, side, open, span->near);
            }
            open = std::max(open, span->far);
        }
        if (open < far) {
            AddFace(cube, side, open, far);
        }
    }
}

void CubeFaces::AddWhole(const InstanceRecord& cube) {
    for (const Side& side : sides) {
        AddFace(cube, side, cube.position[2], cube.position[2] + 1.0f);
    }
}

void CubeFaces::AddFace(const InstanceRecord& cube, const Side& side, float near, float far) {
    // Where along the cube's depth the part begins and ends, exactly 0 and 1 for a whole face.
    const float z = cube.position[2];
    const float zFar = z + 1.0f;
    const float depthNear = near == z ? 0.0f : near - z;
    const float depthFar = far == zFar ? 1.0f : far - z;
    for (const auto& [u, v] : side.corners) {
        float offset[3];
        for (int axis = 0; axis < 3; ++axis) {
            offset[axis] =
                0.5f + 0.5f * side.normal[axis] + (u - 0.5f) * side.u[axis] + (v - 0.5f) * side.v[axis];
        }
        // The depth is taken as given, not worked out from the offset: a part that ends against a
        // neighbour's face then meets its corners exactly, and no pixel falls between them.
        const bool atFar = offset[2] > 0.5f;
        const float depth = atFar ? depthFar : depthNear;
        FaceVertex corner{};
        corner.position[0] = cube.position[0] + offset[0];
        corner.position[1] = cube.position[1] + offset[1];
        corner.position[2] = atFar ? far : near;
        std::copy_n(side.normal, 3, corner.normal);
        // The texture runs over the part as it runs over the whole face.
        corner.uv[0] = side.u[2] != 0.0f ? 0.5f + (depth - 0.5f) * side.u[2] : u;
        corner.uv[1] = side.v[2] != 0.0f ? 0.5f + (depth - 0.5f) * side.v[2] : v;
        corner.colour = cube.colour;
        corner.pattern = cube.position[3];
        vertices.push_back(corner);
    }
}

}  // namespace Graphics
