// Collision and picking: sphere, box and ray queries through the commands, picking under a
// pixel where the object is drawn, the debug drawing, and the search tree against
// the plain scan on random meshes.
#include <cmath>
#include <random>

#include "DrawTestSupport.h"
#include "gfx3d/Collision.h"
#include "gfx3d/MeshObject.h"
#include "gfx3d/TransformStack.h"

namespace {

using CollisionTest = GlRuntimeTest;

const double kNaN = std::nan("");
// Corners are stored as bytes per axis: they land up to one step (1/255 of the object's size)
// from where they were put, here objects up to 20 units across.
const double kQuantised = 0.08;

// Object 1 is a closed cube of half size 10; object 2 the one triangle (0, 0, 0), (10, 0, 0),
// (0, 10, 0), whose edges each have a sphere in its plane beside them; object 3 a square of
// half size 1, with a bounding sphere of radius sqrt 2: a box of half size 1 whose corner region
// holds the square's corner lies 2.83 from its middle, beyond sqrt(3 + 2) = 2.24, the sum of
// squares, within sqrt 3 + sqrt 2 = 3.15, so the spheres must not reject it; object 4 a square
// of half size 10; object 5 the triangle of object 2 made 1e-3 across: the sphere test leaves
// a normal shorter than 3e-4 as it is, so for so tiny a triangle the plane test always passes
// and the angle test accepts centres well above it, and the search tree must keep it within
// reach. Spheres take (x, y, z, radius), boxes (x, y, z, width, height), rays (x, y,
// z, dx, dy, dz), and give 1 or 0, or the distance along the ray.
TEST_F(CollisionTest, SphereBoxAndRayQueries) {
    BuildBox(1, 10, 0, 0, 0);
    for (const auto& [id, side] : {std::pair{2, 10.0}, {5, 1e-3}}) {
        BeginObject(id);
        for (const auto& [x, y] : {std::pair{0.0, 0.0}, {side, 0.0}, {0.0, side}})
            AddObjectVertex(x, y, 0, 0, 0, 0xFFFFFF);
        EndObject();
    }
    BuildSquare(3, 1);
    BuildSquare(4, 10);
    const DrawVertex& first = Rt().objects->Slot(1)->parts[0].frames[0].triangles[0];
    enum Query { Sphere, Box, Ray };
    const struct {
        Query query;
        double id, x, y, z, a, b, c, expected;
    } rows[] = {
        {Sphere, 1, first.x, first.y, first.z, 0, 0, 0, 1}, // holds the first vertex
        {Sphere, 1, 10, 10, 10, 0, 0, 0, 0},   // radius 0 at another corner: planes never hit
        {Sphere, 1, 0, 0, 0, 5, 0, 0, 0},      // inside, clear of the walls
        {Sphere, 1, 15, 0, 0, 5.5, 0, 0, 1},   // reaches a face
        {Sphere, 1, 15, 0, 0, 4.5, 0, 0, 0},   //
        {Sphere, 1, 13, 13, 0, 4.5, 0, 0, 1},  // reaches an edge 4.24 away, beside both faces
        {Sphere, 1, 13, 13, 0, 4, 0, 0, 0},    //
        {Sphere, 1, 15, 0, 0, -6, 0, 0, 0},    // a negative radius
        {Sphere, 1, 15, 0, 0, kNaN, 0, 0, 0},  //
        {Sphere, 1, 15, 0, 0, 1e300, 0, 0, 0}, // beyond a float
        {Sphere, 2, 5, -2, 0, 2.5, 0, 0, 1},   //
        {Sphere, 2, 5, -2, 0, 1.5, 0, 0, 0},   //
        {Sphere, 2, 6, 6, 0, 2, 0, 0, 1},      //
        {Sphere, 2, 6, 6, 0, 1, 0, 0, 0},      //
        {Sphere, 2, -2, 5, 0, 2.5, 0, 0, 1},   //
        {Sphere, 2, -2, 5, 0, 1.5, 0, 0, 0},   //
        {Sphere, 5, 2.5e-4, 2.5e-4, 5e-5, 1e-9, 0, 0, 1}, // well above the tiny triangle
        {Box, 1, 0, 0, 0, 4, 4, 0, 0},                    // inside, clear of the walls
        {Box, 1, 11, 0, 0, 4, 4, 0, 1},                   // straddles the face x = 10
        {Box, 1, 13, 0, 0, 4, 4, 0, 0},                   // x from 11 to 15
        {Box, 1, 0, 12, 0, 2, 6, 0, 1},                   // its height reaches the top face
        {Box, 1, 0, 14, 0, 30, 6, 0, 0},                  // wide, but not high enough
        {Box, 1, 0, 0, 14, 30, 2, 0, 1},                  // its width runs along z as well
        {Box, 1, kNaN, 0, 0, 4, 4, 0, 0},                 //
        {Box, 3, 1.9, 1.9, 0.9, 2, 2, 0, 1},              // near the edge of the square's sphere
        {Box, 3, 2.1, 2.1, 0.9, 2, 2, 0, 0},              //
        {Ray, 1, 0, 0, 50, 0, 0, -1, 40},                 // the near face
        {Ray, 1, 0, 0, 50, 0, 0, -7, 40},                 // a longer direction is made a unit one
        {Ray, 1, 0, 0, 0, 1, 0, 0, 10},                   // from inside: the far wall
        {Ray, 1, 0, 0, 50, 0, 0, 1, -40},                 // pointing away: the nearest face behind
        {Ray, 1, 50, 50, 50, 1, 0, 0, 0},                 // past the object
        {Ray, 1, 0, 0, 50, 0, 0, 0, 0},                   // no direction
        {Ray, 4, -50, 0, 5, 1, 0, 0, 0},                  // parallel to every triangle
        {Ray, 4, 0, -10, 20, 0, 0.6, -0.8, 25},           // slanted onto the square at (0, 5, 0)
    };
    for (const auto& r : rows) {
        const double got = r.query == Sphere ? ObjectCollidesSphere(r.id, 0, r.x, r.y, r.z, r.a)
                           : r.query == Box
                               ? ObjectCollidesBox(r.id, 0, r.x, r.y, r.z, r.a, r.b)
                               : ObjectRayDistance(r.id, 0, r.x, r.y, r.z, r.a, r.b, r.c);
        EXPECT_NEAR(got, r.expected, kQuantised) << "row " << &r - rows;
    }
    EXPECT_EQ(ObjectCollidesSphere(1, 3, 15, 0, 0, 5.5), 0) << "frame 3 of a one-frame object";
    EXPECT_EQ(ObjectRayDistance(1, 3, 0, 0, 50, 0, 0, -1), 0) << "frame 3 of a one-frame object";
}

// A ray through each pixel, from ScreenToWorld at depths 0 and 1, hits the object exactly
// where the drawn picture shows it; pixels at the outline, where one pixel's centre and its
// neighbour's fall on either side, are left out.
TEST_F(CollisionTest, PickingUnderAPixelMatchesThePicture) {
    BuildBox(1, 40, 0, 0, 0);
    LookAtOriginFrom(400);
    ScaleObject(1, 1.5, 1);
    MoveObject(30, -20, 0); // keeps the scale
    RotateObject(35, 1, 1, 0);
    DrawObject(1, 0);
    const unsigned background = ReadPixel(0, 0);
    auto shown = [&](int x, int y) { return ReadPixel(x, y) != background; };
    int compared = 0, hits = 0;
    for (int y = 150; y < 450; y += 7)
        for (int x = 250; x < 550; x += 7) {
            const bool here = shown(x, y);
            if (shown(x - 1, y) != here || shown(x + 1, y) != here || shown(x, y - 1) != here ||
                shown(x, y + 1) != here)
                continue;
            double nx = 0, ny = 0, nz = 0, fx = 0, fy = 0, fz = 0;
            ScreenToWorld(x + 0.5, y + 0.5, 0, nx, ny, nz);
            ScreenToWorld(x + 0.5, y + 0.5, 1, fx, fy, fz);
            const double d = ObjectRayDistance(1, 0, nx, ny, nz, fx - nx, fy - ny, fz - nz);
            EXPECT_EQ(d > 0, here) << "pixel " << x << ", " << y;
            ++compared;
            hits += here;
        }
    EXPECT_GT(hits, compared / 5);
    EXPECT_LT(hits, compared * 4 / 5);
}

// In debug mode a query draws itself: green and wide on a hit, red and thin on a miss, a ray
// that only meets the object behind its start in yellow and wide.
TEST_F(CollisionTest, DebugModeDrawsEachQuery) {
    BuildBox(1, 10, 0, 0, 0);
    // Each query, a point on what it draws, its colour, and how many pixels below the point a
    // line 5 wide covers and one 1 wide does not. Circles are sampled at 45 degrees, away from
    // the other circles.
    const struct {
        std::function<void()> query;
        double x, y, z;
        unsigned colour;
        int below;
    } rows[] = {
        {[] { ObjectCollidesSphere(1, 0, 0, 60, 0, 55); }, 38.89, 98.89, 0, 0x00FF00, 3},
        {[] { ObjectCollidesSphere(1, 0, 0, 60, 0, 45); }, 31.82, 91.82, 0, 0x0000FF, 3},
        {[] { ObjectCollidesBox(1, 0, 0, 40, 0, 100, 70); }, 0, 75, 50, 0x00FF00, 2},
        {[] { ObjectRayDistance(1, 0, -100, 0, 0, 1, 0, 0); }, -60, 0, 0, 0x00FF00, 2},
        {[] { ObjectRayDistance(1, 0, -100, 50, 0, 1, 0, 0); }, -60, 50, 0, 0x0000FF, 2},
        {[] { ObjectRayDistance(1, 0, 60, 0, 0, 1, 0, 0); }, 35, 0, 0, 0x00FFFF, 2},
    };
    // Which of red and green a pixel shows.
    auto hue = [](unsigned c) { return (Channel(c, 0) > 128) + 2 * (Channel(c, 1) > 128); };
    Rt().settings.debugMode = 1;
    for (const auto& row : rows) {
        LookAtOriginFrom(400);
        row.query();
        int px, py;
        PixelOf(row.x, row.y, row.z, px, py);
        EXPECT_EQ(hue(ReadPixel(px, py)), hue(row.colour)) << px << ", " << py;
        const bool wide = row.colour != 0x0000FF;
        EXPECT_EQ(hue(ReadPixel(px, py + row.below)), wide ? hue(row.colour) : 0)
            << px << ", " << py;
        End3D();
        PresentFrame();
    }
}

// ---- The search tree against the plain scan. ----

using namespace collision;

// Strips through corners anywhere on a coarse grid, with many thin and collapsed triangles,
// and small triangles scattered apart, tiny ones among them. Random queries near a triangle
// and sized by it, under a few placements, must get the scan's answers exactly; the queries
// are neither all hits nor all misses.
TEST_F(CollisionTest, TreeAnswersAsTheScanOnRandomMeshes) {
    const struct {
        unsigned grid, spread, strip;
        double unit;
    } meshes[] = {{8, 8, 40, 1}, {64, 64, 40, 1}, {250, 4, 3, 2e-4}, {250, 4, 3, 100}};
    const Mat4 placements[] = {
        Mat4::Identity(), gfx3d::RotationMatrix(33, 1, 2, 3) * gfx3d::ScaleMatrix(1.5f, 1.5f, 1.5f),
        gfx3d::TranslationMatrix(5, -3, 2) * gfx3d::ScaleMatrix(0.5f, 2, 1)};
    std::mt19937 random(7), pick;
    auto uniform = [&](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(pick);
    };
    for (const auto& mesh : meshes) {
        BeginObject(1);
        unsigned base[3] = {0, 0, 0};
        for (int v = 0; v < 3000; ++v) {
            if (v % mesh.strip == 0) {
                NewObjectGroup();
                for (unsigned& b : base)
                    b = random() % (mesh.grid - mesh.spread + 1);
            }
            auto coordinate = [&](int k) { return (base[k] + random() % mesh.spread) * mesh.unit; };
            AddObjectVertex(coordinate(0), coordinate(1), coordinate(2), 0, 0, 0xFFFFFF);
        }
        EndObject();
        ObjectSlot& slot = *Rt().objects->Slot(1);
        const GrowArray<DrawVertex>& corners = slot.parts[0].frames[0].triangles;
        int hits[3] = {}, queries = 0, mismatches = 0;
        // Counts where the tree's answer differs from the scan's, and the tree's hits.
        auto agree = [&](int k, auto query) {
            const double tree = query(Scan::Tree);
            mismatches += tree != query(Scan::Linear);
            hits[k] += tree > 0;
        };
        pick.seed(mesh.grid + mesh.spread);
        const float size = static_cast<float>(mesh.spread * mesh.unit); // about a triangle's
        for (const Mat4& placement : placements)
            for (int q = 0; q < 400; ++q, ++queries) {
                const DrawVertex* v =
                    &corners[static_cast<int>(pick() % (corners.Count() / 3)) * 3];
                auto at = [&](int corner, int k) { return (&v[corner].x)[k]; };
                // A point of the triangle's plane about it, a little off the plane, moved to
                // where the object is drawn.
                const float s = uniform(-0.2f, 1.2f), t = uniform(-0.2f, 1.2f - s);
                double in[4] = {0, 0, 0, 1}, out[4];
                for (int k = 0; k < 3; ++k)
                    in[k] = at(0, k) + s * (at(1, k) - at(0, k)) + t * (at(2, k) - at(0, k)) +
                            uniform(-0.1f, 0.1f) * size;
                gfx3d::Transform(placement, in, out);
                const float c[3] = {float(out[0]), float(out[1]), float(out[2])};
                const Sphere sphere{{c[0], c[1], c[2]}, uniform(0, 0.2f * size)};
                const Box box{{c[0], c[1], c[2]}, uniform(0, 0.3f * size), uniform(0, 0.3f * size)};
                const Ray ray{{c[0], c[1], c[2]}, {uniform(-1, 1), uniform(-1, 1), uniform(-1, 1)}};
                agree(0,
                      [&](Scan scan) { return SphereTouches(slot, 0, placement, sphere, scan); });
                agree(1, [&](Scan scan) { return BoxTouches(slot, 0, placement, box, scan); });
                agree(2, [&](Scan scan) { return RayDistance(slot, 0, placement, ray, scan); });
            }
        EXPECT_EQ(mismatches, 0) << "grid " << mesh.grid;
        for (int hit : hits) {
            EXPECT_GT(hit, queries / 100) << "grid " << mesh.grid;
            EXPECT_LT(hit, queries * 19 / 20) << "grid " << mesh.grid;
        }
    }
}

} // namespace
