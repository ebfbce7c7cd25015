// Stencil shadow volumes: every silhouette edge of the triangles that face the light becomes
// a quad extruded to infinity, closed by caps, counted into the stencil in two passes.
#include <GL/gl.h>

#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "gfx3d/Effects.h"
#include "gfx3d/MeshObject.h"

namespace {

struct EdgeKey {
    float a[3];
    float b[3];
    bool operator==(const EdgeKey& other) const {
        return std::memcmp(this, &other, sizeof(EdgeKey)) == 0;
    }
};

struct EdgeKeyHash {
    size_t operator()(const EdgeKey& key) const {
        uint32_t words[6];
        std::memcpy(words, &key, sizeof(words));
        size_t h = 2166136261u;
        for (uint32_t w : words)
            h = (h ^ w) * 16777619u;
        return h;
    }
};

EdgeKey KeyOf(const DrawVertex& a, const DrawVertex& b) {
    EdgeKey key;
    key.a[0] = a.x, key.a[1] = a.y, key.a[2] = a.z;
    key.b[0] = b.x, key.b[1] = b.y, key.b[2] = b.z;
    // -0 and 0 are the same corner.
    for (float& f : key.a)
        f += 0.0f;
    for (float& f : key.b)
        f += 0.0f;
    return key;
}

// For every triangle edge (i, i+1) the triangle sharing it in the opposite direction, or -1.
// Positions decode from the same packed bytes, so shared corners compare exactly.
void FindNeighbours(MeshObjectX& part, const DrawVertex* vertices, int triangleCount) {
    std::unordered_map<EdgeKey, int, EdgeKeyHash> edges;
    edges.reserve(static_cast<size_t>(triangleCount) * 3);
    for (int t = 0; t < triangleCount; ++t)
        for (int e = 0; e < 3; ++e)
            edges.emplace(KeyOf(vertices[t * 3 + e], vertices[t * 3 + (e + 1) % 3]), t);
    part.edgeNeighbours.Resize(triangleCount * 3);
    for (int t = 0; t < triangleCount; ++t)
        for (int e = 0; e < 3; ++e) {
            const auto found =
                edges.find(KeyOf(vertices[t * 3 + (e + 1) % 3], vertices[t * 3 + e]));
            part.edgeNeighbours[t * 3 + e] = found != edges.end() ? found->second : -1;
        }
}

// A triangle faces the light when the light lies on its front side: objects wind their front
// faces clockwise, the normal being (p2 - p1) x (p1 - p0).
bool FacesLight(const DrawVertex* corner, const float light[3]) {
    const float e1[3] = {corner[2].x - corner[1].x, corner[2].y - corner[1].y,
                         corner[2].z - corner[1].z};
    const float e2[3] = {corner[1].x - corner[0].x, corner[1].y - corner[0].y,
                         corner[1].z - corner[0].z};
    const float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                        e1[0] * e2[1] - e1[1] * e2[0]};
    return n[0] * (light[0] - corner[0].x) + n[1] * (light[1] - corner[0].y) +
               n[2] * (light[2] - corner[0].z) >
           0;
}

void Extruded(const DrawVertex& v, const float light[3]) {
    glVertex4f(v.x - light[0], v.y - light[1], v.z - light[2], 0);
}

void DrawVolume(const MeshObjectX& part, const DrawVertex* vertices, int triangleCount,
                const float light[3]) {
    glBegin(GL_QUADS);
    for (int t = 0; t < triangleCount; ++t) {
        if (!part.litTriangles[t]) continue;
        for (int e = 0; e < 3; ++e) {
            const int neighbour = part.edgeNeighbours[t * 3 + e];
            if (neighbour >= 0 && part.litTriangles[neighbour]) continue;
            const DrawVertex& a = vertices[t * 3 + e];
            const DrawVertex& b = vertices[t * 3 + (e + 1) % 3];
            glVertex3f(b.x, b.y, b.z);
            glVertex3f(a.x, a.y, a.z);
            Extruded(a, light);
            Extruded(b, light);
        }
    }
    glEnd();
    glBegin(GL_TRIANGLES);
    for (int t = 0; t < triangleCount; ++t) {
        const DrawVertex* corner = vertices + t * 3;
        if (part.litTriangles[t]) {
            for (int c = 2; c >= 0; --c)
                glVertex3f(corner[c].x, corner[c].y, corner[c].z);
        } else {
            for (int c = 0; c < 3; ++c)
                Extruded(corner[c], light);
        }
    }
    glEnd();
}

} // namespace

void gfx3d::DrawShadowVolume(Scene3D& scene, MeshObjectX& part, const DrawVertex* vertices,
                             int count, const Mat4& objectMatrix) {
    const int triangleCount = count / 3;
    if (triangleCount == 0) return;
    // Every frame shares one triangle order, so the neighbours found once hold for all.
    if (part.edgeNeighbours.Count() != triangleCount * 3)
        FindNeighbours(part,
                       part.frames[0].triangles.Count() == count ? part.frames[0].triangles.Data()
                                                                 : vertices,
                       triangleCount);
    float light[3];
    RigidInverseTransform(objectMatrix, scene.effectLight.position, light);
    part.litTriangles.Resize(triangleCount);
    for (int t = 0; t < triangleCount; ++t)
        part.litTriangles[t] = FacesLight(vertices + t * 3, light) ? 1 : 0;

    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    // The volume's faces point outward when front faces wind clockwise, as objects do.
    glFrontFace(GL_CW);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glPushMatrix();
    glMultMatrixf(objectMatrix.m);
    glCullFace(GL_BACK);
    glStencilOp(GL_KEEP, GL_KEEP, GL_INCR);
    DrawVolume(part, vertices, triangleCount, light);
    glCullFace(GL_FRONT);
    glStencilOp(GL_KEEP, GL_KEEP, GL_DECR);
    DrawVolume(part, vertices, triangleCount, light);
    glPopMatrix();
    glPopAttrib();
}
