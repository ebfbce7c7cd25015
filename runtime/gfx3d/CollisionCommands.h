// Collision and picking for game code: whether a sphere or an upright box touches a 3D object,
// and how far along a ray it lies, with the object in one of its frames, placed by the current
// object transform exactly as DrawObject would draw it now. Every part of a model set counts.
// An empty slot, an id outside 0..4095, a frame the object does not have or a number that is
// not finite gives 0. In debug mode each query is drawn: green and 5 pixels wide on a hit,
// red and 1 pixel wide on a miss (a ray behind its start: yellow).
#pragma once

// 1 when the sphere at (x, y, z) touches frame `frame` of object id, else 0. A negative radius
// touches nothing.
double ObjectCollidesSphere(double id, double frame, double x, double y, double z, double radius);
// 1 when the box centred at (x, y, z), width wide along x and z and height high along y,
// touches the object, else 0.
double ObjectCollidesBox(double id, double frame, double x, double y, double z, double width,
                         double height);
// The distance along the ray from (x, y, z) in direction (dx, dy, dz) to the object: the
// nearest hit ahead, else (negative) the nearest behind the start, else 0. With the mouse
// position turned into a ray by ScreenToWorld it picks the object under the mouse.
double ObjectRayDistance(double id, double frame, double x, double y, double z, double dx,
                         double dy, double dz);
