// Where each piece of a model finds its colours on the model's skin picture. The models and the
// skin pictures share these regions.
#pragma once

#include "MeshBuilder.h"

// Skins are square and a power of two, so that texture coordinates 0..1 cover them exactly.
constexpr int kSkinSize = 256;

// Crab (healthy and infected skins share the layout).
constexpr SkinRegion kCrabShell{0, 0, 1, 0.5};
constexpr SkinRegion kCrabLegs{0, 0.5, 0.5, 0.75};
constexpr SkinRegion kCrabClaws{0.5, 0.5, 1, 0.75};
constexpr SkinRegion kCrabEyes{0, 0.75, 0.5, 1};
constexpr SkinRegion kCrabStalks{0.5, 0.75, 1, 1};

// Hero.
constexpr SkinRegion kHeroHead{0, 0, 0.5, 0.5};
constexpr SkinRegion kHeroCap{0.5, 0, 1, 0.25};
constexpr SkinRegion kHeroShirt{0.5, 0.25, 1, 0.5};
constexpr SkinRegion kHeroTrousers{0, 0.5, 0.5, 0.75};
constexpr SkinRegion kHeroShoes{0.5, 0.5, 1, 0.75};
constexpr SkinRegion kHeroArms{0, 0.75, 0.5, 1};
constexpr SkinRegion kHeroVisor{0.5, 0.75, 1, 1};

// Stamp.
constexpr SkinRegion kStampRim{0, 0, 1, 0.25};
constexpr SkinRegion kStampBody{0, 0.25, 1, 0.5};
constexpr SkinRegion kStampHandle{0, 0.5, 0.5, 0.75};
constexpr SkinRegion kStampKnob{0.5, 0.5, 1, 0.75};
constexpr SkinRegion kStampSole{0, 0.75, 0.25, 1};
constexpr SkinRegion kStampTop{0.5, 0.75, 0.75, 1};

// World sizes the objects are made for.
// Ground: its top is at local height 0; drawn at y -100 and turned half round, so its local
// z = -kGroundShoreZ edge becomes the water line.
constexpr double kGroundShoreZ = 5000;
constexpr double kGroundBackZ = 9000;
constexpr double kGroundHalfWidth = 9000;
constexpr double kGroundTile = 400;
// Water: drawn at y -110, reaching past the far plane in every direction the camera looks.
constexpr double kWaterHalfWidth = 20000;
constexpr double kWaterNearZ = -14000;
constexpr double kWaterFarZ = 45000;
constexpr double kWaterTile = 800;
// Crabs and the hero are drawn at y 0 and stand on the ground at y -100.
constexpr double kFeetY = -100;
// Shadows are drawn at y -60; this puts them 2 units above the ground.
constexpr double kShadowY = -38;
constexpr double kShadowHalfSize = 46;
// The stamp's sole covers the crushing radius.
constexpr double kStampRadius = 100;
