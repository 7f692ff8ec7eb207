// The faces of the level's cubes as the frame draws them: a face, or the part of a face, that lies
// inside a neighbouring opaque cube can never be seen and is left out.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "graphics/gl/FaceBuffer.h"
#include "graphics/gl/Mesh.h"

namespace Graphics {

class CubeFaces {
public:
    CubeFaces();

    // Notes the depths the opaque cubes fill in each tile; cubes are listed by their tile's corner,
    // as the cube list gives them. Every opaque cube of the frame counts, on the screen or not.
    void SetSolid(const std::vector<InstanceRecord>& opaque);
    // Empties the face list, keeping what is solid.
    void Clear() { vertices.clear(); }
    // Adds the faces of `cube` that are not inside the solid cubes, four corners a face, in the
    // unit cube's order (two triangles: 0 1 2 and 0 2 3). The record's w is the pattern its faces
    // carry (BlockPatternMark).
    void AddVisible(const InstanceRecord& cube);
    // Adds all six faces of `cube`, whatever lies around it: a see-through cube shows its faces
    // through itself.
    void AddWhole(const InstanceRecord& cube);

    const std::vector<FaceVertex>& GetVertices() const { return vertices; }

private:
    // The depths [near, far] a tile's opaque cubes fill without a gap.
    struct Span {
        std::int64_t tile;
        float near;
        float far;
    };
    // A face of the unit cube: its outward normal, the directions u and v run along it, and its
    // corners as (u, v) in the order the unit cube winds them.
    struct Side {
        float normal[3];
        float u[3];
        float v[3];
        float corners[4][2];
    };

    static std::int64_t TileKey(float x, float y);
    // The solid spans of a tile, nearest first.
    std::pair<const Span*, const Span*> SpansOf(std::int64_t tile) const;
    // Adds the part of a face between depths `near` and `far` (tile offsets 0 to 1 along z).
    void AddFace(const InstanceRecord& cube, const Side& side, float near, float far);

    std::vector<Side> sides;
    std::vector<Span> spans;
    std::vector<FaceVertex> vertices;
};

}  // namespace Graphics
