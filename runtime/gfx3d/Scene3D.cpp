#include "gfx3d/Scene3D.h"

#include "core/Runtime.h"

Scene3D* CurrentScene() {
    return Rt().view3d.get();
}
