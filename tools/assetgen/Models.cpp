#include "Models.h"

#include <algorithm>
#include <vector>

#include "MeshBuilder.h"
#include "SkinLayout.h"

namespace {

// Front is the local -x axis, the left and right sides are +z and -z.
bool WriteCrab(const std::string& path) {
    MeshBuilder crab;
    crab.Ellipsoid({0, -70, 0}, {20, 12, 27}, kCrabShell, 18, 10);
    for (double side : {-1.0, 1.0}) {
        for (double legX : {-8.0, 2.0, 12.0}) {
            const Vec3 hip{legX, -72, side * 22};
            const Vec3 knee{legX * 1.3, -62, side * 40};
            const Vec3 foot{legX * 1.6, kFeetY, side * 50};
            crab.Tube(hip, knee, 3.5, 3, kCrabLegs, 6);
            crab.Tube(foot, knee, 0, 3, kCrabLegs, 6);
        }
        const Vec3 shoulder{-14, -70, side * 16};
        const Vec3 elbow{-30, -67, side * 26};
        crab.Tube(shoulder, elbow, 4, 4, kCrabClaws, 6);
        crab.Ellipsoid({-40, -64, side * 25}, {11, 7, 8}, kCrabClaws, 12, 6);
        // The pincer's two jaws.
        crab.Tube({-46, -62, side * 24}, {-58, -60, side * 22}, 3.5, 1, kCrabClaws, 6);
        crab.Tube({-46, -67, side * 24}, {-56, -68, side * 22}, 3, 1, kCrabClaws, 6);
        crab.Tube({-14, -62, side * 7}, {-18, -50, side * 8}, 1.6, 1.4, kCrabStalks, 6);
        crab.Ellipsoid({-18, -47, side * 8}, {4, 4, 4}, kCrabEyes, 10, 6);
    }
    return crab.Save(path.c_str());
}

bool WriteHero(const std::string& path) {
    MeshBuilder hero;
    for (double side : {-1.0, 1.0}) {
        hero.Ellipsoid({-5, kFeetY + 6, side * 14}, {16, 6, 9}, kHeroShoes, 12, 6);
        hero.Tube({0, -94, side * 14}, {0, -38, side * 13}, 8, 10, kHeroTrousers, 10);
        hero.Tube({0, 18, side * 29}, {-10, -28, side * 36}, 7, 6, kHeroShirt, 8);
        hero.Ellipsoid({-12, -32, side * 37}, {7, 8, 7}, kHeroArms, 10, 6);
    }
    hero.Ellipsoid({0, -12, 0}, {20, 36, 29}, kHeroShirt, 18, 10);
    hero.Tube({0, 18, 0}, {0, 30, 0}, 8, 8, kHeroArms, 8);
    hero.Ellipsoid({0, 44, 0}, {19, 20, 19}, kHeroHead, 20, 12);
    hero.Ellipsoid({1, 58, 0}, {20, 10, 20}, kHeroCap, 16, 6);
    hero.Ellipsoid({-19, 55, 0}, {15, 2.5, 15}, kHeroVisor, 12, 4);
    return hero.Save(path.c_str());
}

// The stamp hangs above the hero: its sole is at local height -100, so at height 0 it rests on
// the ground, and its radius is the crushing radius.
bool WriteStamp(const std::string& path) {
    MeshBuilder stamp;
    const double sole = kFeetY;
    stamp.Tube({0, sole, 0}, {0, sole + 26, 0}, kStampRadius, kStampRadius, kStampRim, 32);
    stamp.Disc({0, sole, 0}, kStampRadius, false, kStampSole, 32);
    stamp.Tube({0, sole + 26, 0}, {0, sole + 80, 0}, kStampRadius * 0.92, 42, kStampBody, 32);
    stamp.Disc({0, sole + 26, 0}, kStampRadius, true, kStampTop, 32);
    stamp.Tube({0, sole + 80, 0}, {0, sole + 190, 0}, 16, 14, kStampHandle, 12);
    stamp.Ellipsoid({0, sole + 212, 0}, {32, 26, 32}, kStampKnob, 16, 8);
    return stamp.Save(path.c_str());
}

bool WriteShadow(const std::string& path) {
    MeshBuilder shadow;
    shadow.Quad(-kShadowHalfSize, kShadowHalfSize, -kShadowHalfSize, kShadowHalfSize, kShadowY);
    return shadow.Save(path.c_str());
}

// Local z runs from -kGroundShoreZ (the water line once turned) to kGroundBackZ.
//
// The game lights the scene with a directional light from the camera's position taken as a
// direction: the camera hangs kCameraHeight above and kCameraBack behind the hero, so the light
// turns from a flat one out of -z at the start, through overhead by the hero's z 2400, to one
// out of +z near the water. One normal for the whole beach would be lit for one of these only.
// Instead each row of the ground points its normals at the light of the hero's position from
// which that row is seen in the lower half of the screen: from 240 behind it to 1300 ahead of
// it, so about kViewLead ahead. Sideways the light leans with the hero's x (-930..930); the
// normals lean half as far with their own x, which keeps the ground under the hero and beside
// it lit alike. Lighting is computed per vertex, so the grid's lines lie where the normals
// change: every kGroundRow in z, and in x only near the middle (beyond +-1000 they stay).
constexpr double kCameraHeight = 1000;
constexpr double kCameraBack = 2400;
constexpr double kViewLead = 500;
constexpr double kGroundRow = 250;
constexpr double kNormalLeanLimit = 1000;

// The normal at a local point of the ground; the game draws it turned half round, so local x
// and z are the world's -x and -z.
Vec3 GroundNormal(Vec3 local) {
    const double worldX = -local.x, worldZ = -local.z;
    const double lean = 0.5 * std::max(-kNormalLeanLimit, std::min(kNormalLeanLimit, worldX));
    const Vec3 world{lean, kCameraHeight, worldZ + kViewLead - kCameraBack};
    return {-world.x, world.y, -world.z};
}

bool WriteGround(const std::string& path) {
    MeshBuilder ground;
    const std::vector<double> xs{-kGroundHalfWidth,    -kNormalLeanLimit, -kNormalLeanLimit / 2, 0,
                                 kNormalLeanLimit / 2, kNormalLeanLimit,  kGroundHalfWidth};
    std::vector<double> zs;
    for (double z = -kGroundShoreZ; z <= kGroundBackZ; z += kGroundRow)
        zs.push_back(z);
    ground.TiledGrid(xs, zs, 0, kGroundTile);
    return ground.SaveWithNormals(path.c_str(), GroundNormal);
}

bool WriteWater(const std::string& path) {
    MeshBuilder water;
    water.TiledPlane(-kWaterHalfWidth, kWaterHalfWidth, kWaterNearZ, kWaterFarZ, 0, kWaterTile);
    return water.Save(path.c_str());
}

} // namespace

bool WriteModels(const std::string& folder) {
    const std::string ddd = folder + "/ddd/";
    return WriteCrab(ddd + "crab_b.ddd") && WriteHero(ddd + "hero_sub.ddd") &&
           WriteGround(ddd + "bodenx2.ddd") && WriteWater(ddd + "water.ddd") &&
           WriteShadow(ddd + "shadow.ddd") && WriteStamp(ddd + "killerstempel1.ddd");
}
