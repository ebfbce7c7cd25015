#include "Models.h"

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
bool WriteGround(const std::string& path) {
    MeshBuilder ground;
    ground.TiledPlane(-kGroundHalfWidth, kGroundHalfWidth, -kGroundShoreZ, kGroundBackZ, 0,
                      kGroundTile);
    // The game lights the scene from the camera, which looks at the ground at a flat angle: an
    // upright normal would leave the beach dim. Without computed normals every vertex keeps
    // the table's first normal (-0.53, 0, 0.85), which the half turn points at the camera.
    return ground.Save(path.c_str(), 0);
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
