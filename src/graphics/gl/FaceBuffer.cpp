// Streaming face corners to the device and drawing them.
#include "graphics/gl/FaceBuffer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "graphics/gl/Device.h"

namespace Graphics {

FaceBuffer::FaceBuffer() {
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    // The locations the meshes use: 0 position, 3 normal, 4 texture coordinates, 5 the ARGB colour
    // read as BGRA bytes (its little-endian layout), 7 the pattern cell.
    const GLsizei stride = sizeof(FaceVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(FaceVertex, position)));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(FaceVertex, normal)));
    glEnableVertexAttribArray(4);
    glVertexAttribPointer(4, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(FaceVertex, uv)));
    glEnableVertexAttribArray(5);
    glVertexAttribPointer(5, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(FaceVertex, colour)));
    glEnableVertexAttribArray(7);
    glVertexAttribPointer(7, 1, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(FaceVertex, pattern)));
    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBindVertexArray(0);
}

FaceBuffer::~FaceBuffer() {
    if (!Device::HasLiveContext()) {
        return;
    }
    glDeleteBuffers(1, &indexBuffer);
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vao);
}

void FaceBuffer::ReserveFaces(std::size_t faces) {
    if (faces <= indexedFaces) {
        return;
    }
    // Doubled, so a growing level is not indexed again frame after frame.
    indexedFaces = std::max(faces, indexedFaces * 2);
    std::vector<std::uint32_t> indices;
    indices.reserve(indexedFaces * 6);
    for (std::uint32_t face = 0; face < indexedFaces; ++face) {
        for (const std::uint32_t corner : {0u, 1u, 2u, 0u, 2u, 3u}) {
            indices.push_back(face * 4 + corner);
        }
    }
    // The element buffer belongs to the vertex array bound by the caller.
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)),
                 indices.data(), GL_STATIC_DRAW);
}

void FaceBuffer::Fill(const std::vector<FaceVertex>& corners) {
    filledFaces = corners.size() / 4;
    if (filledFaces == 0) {
        return;
    }
    glBindVertexArray(vao);
    ReserveFaces(filledFaces);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(filledFaces * 4 * sizeof(FaceVertex));
    // Orphaning the old store each frame is the discard of a dynamic buffer: no wait on last frame's draw.
    glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, corners.data());
    glBindVertexArray(0);
}

void FaceBuffer::Draw(std::size_t first, std::size_t count) {
    count = first < filledFaces ? std::min(count, filledFaces - first) : 0;
    if (count == 0) {
        return;
    }
    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(count * 6), GL_UNSIGNED_INT,
                   reinterpret_cast<const void*>(first * 6 * sizeof(std::uint32_t)));
    glBindVertexArray(0);
}

}  // namespace Graphics
