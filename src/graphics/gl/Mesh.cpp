// Loading meshes through assimp and drawing them.
#include "graphics/gl/Mesh.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <epoxy/gl.h>

#include <assimp/Importer.hpp>
#include <cstddef>
#include <glm/glm.hpp>
#include <utility>

#include "graphics/gl/Device.h"

namespace Graphics {

bool Mesh::ReadX(const std::string& path, std::vector<MeshVertex>& vertices,
                 std::vector<std::uint32_t>& indices, std::string& error, std::vector<MeshSubset>* subsets) {
    Assimp::Importer importer;
    // The ".x" reader hands meshes over right-handed, with z mirrored and v flipped; converting
    // back keeps them in the file's (and the renderer's) left-handed frame, so a face modelled
    // toward -z still looks at the camera.
    const aiScene* scene = importer.ReadFile(
        path, aiProcess_Triangulate | aiProcess_GenSmoothNormals | aiProcess_CalcTangentSpace |
                  aiProcess_JoinIdenticalVertices | aiProcess_ConvertToLeftHanded);
    if (scene == nullptr || scene->mNumMeshes == 0) {
        error = path + ": " + importer.GetErrorString();
        return false;
    }
    vertices.clear();
    indices.clear();
    if (subsets != nullptr) {
        subsets->clear();
    }
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* mesh = scene->mMeshes[m];
        const std::uint32_t base = static_cast<std::uint32_t>(vertices.size());
        const std::uint32_t firstIndex = static_cast<std::uint32_t>(indices.size());
        for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
            MeshVertex vertex{};
            const aiVector3D& p = mesh->mVertices[v];
            vertex.position[0] = p.x, vertex.position[1] = p.y, vertex.position[2] = p.z;
            if (mesh->HasNormals()) {
                const aiVector3D& n = mesh->mNormals[v];
                vertex.normal[0] = n.x, vertex.normal[1] = n.y, vertex.normal[2] = n.z;
            }
            if (mesh->HasTangentsAndBitangents()) {
                const aiVector3D& t = mesh->mTangents[v];
                const aiVector3D& b = mesh->mBitangents[v];
                vertex.tangent[0] = t.x, vertex.tangent[1] = t.y, vertex.tangent[2] = t.z;
                vertex.binormal[0] = b.x, vertex.binormal[1] = b.y, vertex.binormal[2] = b.z;
            }
            if (mesh->HasTextureCoords(0)) {
                vertex.uv[0] = mesh->mTextureCoords[0][v].x;
                vertex.uv[1] = mesh->mTextureCoords[0][v].y;
            }
            vertices.push_back(vertex);
        }
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            const aiFace& face = mesh->mFaces[f];
            if (face.mNumIndices == 3) {
                for (unsigned i = 0; i < 3; ++i) {
                    indices.push_back(base + face.mIndices[i]);
                }
            }
        }
        if (subsets != nullptr) {
            MeshSubset subset;
            subset.material = static_cast<int>(mesh->mMaterialIndex);
            subset.firstIndex = firstIndex;
            subset.indexCount = static_cast<std::uint32_t>(indices.size()) - firstIndex;
            aiString texture;
            if (mesh->mMaterialIndex < scene->mNumMaterials &&
                scene->mMaterials[mesh->mMaterialIndex]->GetTexture(aiTextureType_DIFFUSE, 0, &texture) ==
                    AI_SUCCESS) {
                subset.texture = texture.C_Str();
            }
            subsets->push_back(std::move(subset));
        }
    }
    return true;
}

std::unique_ptr<Mesh> Mesh::LoadX(const std::string& path, std::string& error) {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<MeshSubset> subsets;
    if (!ReadX(path, vertices, indices, error, &subsets)) {
        return nullptr;
    }
    return FromVertices(vertices, indices, std::move(subsets));
}

void Mesh::UnitCube(std::vector<MeshVertex>& vertices, std::vector<std::uint32_t>& indices) {
    // Per face: the outward normal, then the directions u and v run along on the face.
    static const float kFaces[6][3][3] = {
        {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},  {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}},
        {{-1, 0, 0}, {0, 0, -1}, {0, -1, 0}}, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},    {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    };
    static const float kCorners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    vertices.clear();
    indices.clear();
    for (const auto& face : kFaces) {
        const std::uint32_t base = static_cast<std::uint32_t>(vertices.size());
        // Every face winds the same way seen from outside, whichever way u and v run on it: the
        // top and bottom faces, listed in the other order, were culled where they faced the viewer
        // and drawn from inside where they did not.
        const glm::vec3 across = glm::cross(glm::vec3(face[1][0], face[1][1], face[1][2]),
                                            glm::vec3(face[2][0], face[2][1], face[2][2]));
        const bool outward = glm::dot(across, glm::vec3(face[0][0], face[0][1], face[0][2])) > 0.0f;
        for (const int c : {0, outward ? 1 : 3, 2, outward ? 3 : 1}) {
            const float* corner = kCorners[c];
            MeshVertex vertex{};
            for (int axis = 0; axis < 3; ++axis) {
                vertex.position[axis] = 0.5f * face[0][axis] + (corner[0] - 0.5f) * face[1][axis] +
                                        (corner[1] - 0.5f) * face[2][axis];
                vertex.normal[axis] = face[0][axis];
                vertex.tangent[axis] = face[1][axis];
                vertex.binormal[axis] = face[2][axis];
            }
            vertex.uv[0] = corner[0];
            vertex.uv[1] = corner[1];
            vertices.push_back(vertex);
        }
        for (const std::uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u}) {
            indices.push_back(base + i);
        }
    }
}

std::unique_ptr<Mesh> Mesh::FromVertices(const std::vector<MeshVertex>& vertices,
                                         const std::vector<std::uint32_t>& indices,
                                         std::vector<MeshSubset> subsets) {
    std::unique_ptr<Mesh> mesh(new Mesh());
    mesh->indexCount = static_cast<int>(indices.size());
    mesh->subsets = std::move(subsets);
    glGenVertexArrays(1, &mesh->vao);
    glBindVertexArray(mesh->vao);
    glGenBuffers(1, &mesh->vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, mesh->vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(MeshVertex)),
                 vertices.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &mesh->indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)),
                 indices.data(), GL_STATIC_DRAW);
    // Locations 0 to 4: position, tangent, binormal, normal, texture coordinates.
    const GLsizei stride = sizeof(MeshVertex);
    const std::size_t offsets[] = {offsetof(MeshVertex, position), offsetof(MeshVertex, tangent),
                                   offsetof(MeshVertex, binormal), offsetof(MeshVertex, normal),
                                   offsetof(MeshVertex, uv)};
    for (GLuint location = 0; location < 5; ++location) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, location == 4 ? 2 : 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(offsets[location]));
    }
    glBindVertexArray(0);
    return mesh;
}

Mesh::~Mesh() {
    if (!Device::HasLiveContext()) {
        return;
    }
    glDeleteBuffers(1, &vertexBuffer);
    glDeleteBuffers(1, &indexBuffer);
    if (instanceBuffer != 0) {
        glDeleteBuffers(1, &instanceBuffer);
    }
    glDeleteVertexArrays(1, &vao);
}

void Mesh::Draw() const {
    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

void Mesh::DrawSubset(int material) const {
    glBindVertexArray(vao);
    for (const MeshSubset& subset : subsets) {
        if (subset.material == material) {
            glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(subset.indexCount), GL_UNSIGNED_INT,
                           reinterpret_cast<const void*>(subset.firstIndex * sizeof(std::uint32_t)));
        }
    }
    glBindVertexArray(0);
}

void Mesh::DrawInstanced(const std::vector<InstanceRecord>& instances) {
    if (instances.empty()) {
        return;
    }
    glBindVertexArray(vao);
    if (instanceBuffer == 0) {
        glGenBuffers(1, &instanceBuffer);
        glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
        // Location 5: the ARGB colour read as BGRA bytes (its little-endian layout); 6: x, y, z, w.
        glEnableVertexAttribArray(5);
        glVertexAttribPointer(5, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(InstanceRecord), nullptr);
        glVertexAttribDivisor(5, 1);
        glEnableVertexAttribArray(6);
        glVertexAttribPointer(6, 4, GL_FLOAT, GL_FALSE, sizeof(InstanceRecord),
                              reinterpret_cast<const void*>(offsetof(InstanceRecord, position)));
        glVertexAttribDivisor(6, 1);
    }
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer);
    // Orphaning the old store each frame is the discard of a dynamic buffer.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instances.size() * sizeof(InstanceRecord)), nullptr,
                 GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(instances.size() * sizeof(InstanceRecord)),
                    instances.data());
    glDrawElementsInstanced(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, nullptr,
                            static_cast<GLsizei>(instances.size()));
    glBindVertexArray(0);
}

}  // namespace Graphics
