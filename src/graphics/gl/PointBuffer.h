// A dynamic vertex buffer of point records, refilled every frame and drawn as sized point sprites.
#pragma once

#include <cstddef>
#include <vector>

namespace Graphics {

class PointBuffer {
public:
    // One field of a record as the vertex shader reads it at `location`: `floats` floats, or a
    // 32-bit ARGB colour (floats = 0) read as a normalised vec4.
    struct Attribute {
        unsigned location;
        int floats;
        std::size_t offset;
    };

    // Room for `capacity` records of `stride` bytes. Needs a current OpenGL context.
    PointBuffer(std::size_t stride, int capacity, const std::vector<Attribute>& attributes);
    ~PointBuffer();
    PointBuffer(const PointBuffer&) = delete;
    PointBuffer& operator=(const PointBuffer&) = delete;

    // Replaces the buffer's contents with `count` records (at most the capacity) and draws them as
    // points in the pass the caller has begun. The shader sizes each point; the points test depth
    // but do not write it, so overlapping sprites blend instead of cutting each other off.
    void Draw(const void* records, int count);

private:
    unsigned vao = 0;
    unsigned buffer = 0;
    std::size_t stride;
    int capacity;
};

}  // namespace Graphics
