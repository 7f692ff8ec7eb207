// Streaming point records to the device and drawing them as sprites.
#include "graphics/gl/PointBuffer.h"

#include <epoxy/gl.h>

#include <algorithm>

#include "graphics/gl/Device.h"

namespace Graphics {

PointBuffer::PointBuffer(std::size_t recordStride, int recordCapacity,
                         const std::vector<Attribute>& attributes)
    : stride(recordStride), capacity(std::max(recordCapacity, 0)) {
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(stride * static_cast<std::size_t>(capacity)),
                 nullptr, GL_STREAM_DRAW);
    for (const Attribute& attribute : attributes) {
        glEnableVertexAttribArray(attribute.location);
        const void* offset = reinterpret_cast<const void*>(attribute.offset);
        if (attribute.floats > 0) {
            glVertexAttribPointer(attribute.location, attribute.floats, GL_FLOAT, GL_FALSE,
                                  static_cast<GLsizei>(stride), offset);
        } else {
            // An ARGB value is B, G, R, A in memory on a little-endian machine.
            glVertexAttribPointer(attribute.location, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE,
                                  static_cast<GLsizei>(stride), offset);
        }
    }
    glBindVertexArray(0);
}

PointBuffer::~PointBuffer() {
    if (!Device::HasLiveContext()) {
        return;
    }
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vao);
}

void PointBuffer::Draw(const void* records, int count) {
    count = std::min(count, capacity);
    if (count <= 0) {
        return;
    }
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(stride * static_cast<std::size_t>(count));
    // Orphaning the old store is the discard of a dynamic buffer: no wait on last frame's draw.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(stride * static_cast<std::size_t>(capacity)),
                 nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, records);
    glEnable(GL_PROGRAM_POINT_SIZE);
    glDepthMask(GL_FALSE);
    glDrawArrays(GL_POINTS, 0, count);
    glDepthMask(GL_TRUE);
    glDisable(GL_PROGRAM_POINT_SIZE);
    glBindVertexArray(0);
}

}  // namespace Graphics
