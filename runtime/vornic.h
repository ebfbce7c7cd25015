// Vornic: everything game code can call. Numbers are doubles, texts are RtStrings, results
// written into game variables are references.
#pragma once

#include "app/AppCommands.h"
#include "core/ErrorCommands.h"
#include "desktop/DesktopCommands.h"
#include "files/FileCommands.h"
#include "files/IniCommands.h"
#include "gfx2d/FontCommands.h"
#include "gfx2d/ImageCommands.h"
#include "gfx2d/SpriteCommands.h"
#include "gfx3d/CollisionCommands.h"
#include "gfx3d/Draw3DCommands.h"
#include "gfx3d/ObjectCommands.h"
#include "gfx3d/SceneCommands.h"
#include "input/InputCommands.h"
#include "net/NetCommands.h"
#include "net/WebCommands.h"
#include "pathfind/PathFindCommands.h"
#include "platform/PlatformCommands.h"
#include "sound/SoundCommands.h"
#include "text/TextCommands.h"
