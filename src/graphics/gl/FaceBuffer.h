// A dynamic vertex buffer of face corners, refilled every frame and drawn as two triangles a face.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Graphics {

// One corner of a face as the level's effect reads it (40 bytes): the world position, the face's
// outward normal, the texture coordinates the unit cube gives that point, the ARGB colour and the
// cell of the block pattern picture its face carries.
struct FaceVertex {
    float position[3];
    float normal[3];
    float uv[2];
    std::uint32_t colour;
    float pattern;
};
static_assert(sizeof(FaceVertex) == 40, "the face stream is 40 bytes a vertex");

class FaceBuffer {
public:
    // Needs a current OpenGL context.
    FaceBuffer();
    ~FaceBuffer();
    FaceBuffer(const FaceBuffer&) = delete;
    FaceBuffer& operator=(const FaceBuffer&) = delete;

    // Replaces the buffer's contents with the corners, four a face.
    void Fill(const std::vector<FaceVertex>& corners);
    // Draws `count` faces from the `first`, in order, in the pass the caller has begun.
    void Draw(std::size_t first, std::size_t count);

private:
    // Makes the index list long enough for `faces` faces.
    void ReserveFaces(std::size_t faces);

    unsigned vao = 0;
    unsigned buffer = 0;
    unsigned indexBuffer = 0;
    std::size_t indexedFaces = 0;
    std::size_t filledFaces = 0;
};

}  // namespace Graphics
