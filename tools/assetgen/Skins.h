// The pictures laid on the 3D objects, and the sky behind them.
#pragma once

#include "Canvas.h"

Canvas CrabSkin(bool infected);
Canvas HeroSkin();
Canvas StampSkin();
Canvas ShadowSkin();
Canvas WaterSkin();
// Sand, plain or with arrows pointing up the picture (toward the water once the ground is laid
// out: its texture v grows away from the water).
Canvas SandSkin(bool arrows);
Canvas SkyBackdrop();
