// Commands for 3D objects: loading and saving object files, building objects vertex by vertex.
// Object ids run from 0 to 4095.
#pragma once

#include "text/RtString.h"

// Fills object slot id from a binary ".ddd" file, its "DDDA" text form or a ";DDW" model set;
// 1 when loaded, 0 when the file is missing or broken (the slot is then empty) or the id is
// outside 0..4095 (the slot is then untouched).
double LoadObject(const RtString& fileName, double id);
// Writes the first part of object id as a binary ".ddd" file; 1 when the whole file was
// written, 0 when it could not be, or when the slot holds no part.
double SaveObject(const RtString& fileName, double id);

// Empties slot id and starts building an object there, beginning with a triangle strip;
// nothing happens for an id outside 0..4095.
void BeginObject(double id);
// Appends a vertex at (x, y, z) with texture coordinates (u, v) and a colour number to the
// object being built; does nothing when none is.
void AddObjectVertex(double x, double y, double z, double u, double v, double colour);
// Starts a new triangle strip in the object being built; does nothing when none is.
void NewObjectGroup();
// Finishes the object being built: packs it, computes its normals as the normal mode says and
// makes it drawable. With fewer than three vertices the slot stays empty (but marked loaded).
// Does nothing when no object is being built.
void EndObject();
// How objects built in code get normals: 0 none, 1 per vertex record, 2 smoothed where
// vertices meet (the default). The mode is taken modulo 3.
void SetNormalMode(double mode);
