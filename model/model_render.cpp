// Material textures, skinning and immediate-mode drawing.
#include <cmath>
#include <cstring>

#include "gfx/texture.h"
#include "model/model.h"
#include "platform/win32.h"

namespace {

// A drive-qualified or rooted path names its file wherever the current
// directory is; anything else is relative to it.
bool IsAbsolutePath(const char* path) {
    if (path[0] == '/' || path[0] == '\\') return true;
    return path[0] != '\0' && path[1] == ':';
}

// A vertex weighted over joints: its model-space position (or a normal)
// carried into each joint's bind space, out again by the joint's pose, and
// the results summed by weight.
Vector Blend(const Model& model, const Vertex& vertex, const float value[3], bool isPoint) {
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (int k = 0; k < vertex.influenceCount; ++k) {
        const Joint& joint = model.joints[vertex.influenceBones[k]];
        float local[3] = {value[0], value[1], value[2]};
        IntoJointSpace(joint.bindMatrix, local, isPoint);
        Vector moved(local);
        if (isPoint)
            moved.TransformPoint(joint.poseMatrix);
        else
            moved.TransformDirection(joint.poseMatrix);
        const float weight = vertex.influenceWeights[k];
        sum[0] += weight * moved.x;
        sum[1] += weight * moved.y;
        sum[2] += weight * moved.z;
    }
    return Vector(sum);
}

}  // namespace

void Model::LoadMaterialTextures(bool fromResources) {
    for (int i = 0; i < materialCount; ++i) {
        Material& material = materials[i];
        const char* file = material.textureFile;
        if (!file || file[0] == '\0') {
            material.texture = 0;
        } else if (fromResources) {
            material.texture = LoadTextureFromResource("JPG", file, nullptr, true);
        } else {
            // A model loaded through an absolute path carries absolute texture
            // paths, which must not be put behind the current directory.
            material.texture = LoadTextureFromFile(file, nullptr, true, !IsAbsolutePath(file));
        }
    }
}

Vector Model::PosedPosition(int vertexIndex) const {
    const Vertex& vertex = vertices[vertexIndex];
    if (vertex.influenceCount > 0) return Blend(*this, vertex, vertex.position, true);
    Vector position(vertex.position);
    if (vertex.boneId != -1) position.TransformPoint(joints[vertex.boneId].poseMatrix);
    return position;
}

Vector Model::PosedNormal(const Triangle& triangle, int corner) const {
    const Vertex& vertex = vertices[triangle.vertexIndices[corner]];
    Vector normal(triangle.normals[corner]);
    if (vertex.influenceCount > 0) {
        normal = Blend(*this, vertex, triangle.normals[corner], false);
    } else if (vertex.boneId != -1) {
        normal.TransformDirection(joints[vertex.boneId].poseMatrix);
    } else {
        return normal;
    }
    const float length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
    // A zero-length normal stays zero rather than becoming NaN.
    if (length > 0.0f) {
        normal.x /= length;
        normal.y /= length;
        normal.z /= length;
    }
    return normal;
}

void Model::Render() const {
    const GLboolean wasTextured = glIsEnabled(GL_TEXTURE_2D);

    for (int m = 0; m < meshCount; ++m) {
        const Mesh& mesh = meshes[m];
        const unsigned int texture = mesh.materialIndex >= 0 ? materials[mesh.materialIndex].texture : 0;
        if (texture != 0) {
            glBindTexture(GL_TEXTURE_2D, texture);
            glEnable(GL_TEXTURE_2D);
        } else {
            glDisable(GL_TEXTURE_2D);
        }

        glBegin(GL_TRIANGLES);
        for (int i = 0; i < mesh.triangleCount; ++i) {
            const Triangle& triangle = triangles[mesh.triangleIndices[i]];
            for (int k = 0; k < 3; ++k) {
                const Vector normal = PosedNormal(triangle, k);
                const Vector position = PosedPosition(triangle.vertexIndices[k]);
                glTexCoord2f(triangle.s[k], triangle.t[k]);
                glNormal3f(normal.x, normal.y, normal.z);
                glVertex3f(position.x, position.y, position.z);
            }
        }
        glEnd();
    }

    if (wasTextured)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
}

unsigned int Model::ReplaceTexture(const char* textureFile, unsigned int newTexture) {
    for (int i = 0; i < materialCount; ++i) {
        Material& material = materials[i];
        if (material.textureFile && std::strcmp(material.textureFile, textureFile) == 0) {
            const unsigned int previous = material.texture;
            material.texture = newTexture;
            return previous;
        }
    }
    return kNoSuchMaterial;
}
