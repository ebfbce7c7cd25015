#!/bin/sh
# Fails when a runtime folder includes a header of a folder in a higher layer, or when folders of
# one layer include each other round a circle (docs/ARCHITECTURE.md, "Layers"). Reads only the
# #include lines, so it runs in a moment; CTest runs it as layers.no_upward_includes.
#
# Layers, bottom to top. Folders of one layer may include each other's headers one way only.
#   0 os            the seam to SDL and the operating system
#   1 core text     the context, numbers, settings, errors and log; strings and random numbers
#                   (text includes core, never the other way)
#   2 files gl      files and resources; the GL device and its state caches
#   3 gfx2d input sound net pathfind platform
#   4 gfx3d
#   9 app desktop   start-up, frame loop, main, screen commands, the input waits; the commands
#                   that reach the desktop (they hide the window, pump events, wait on input)
# A folder not in the table counts as a subsystem of the middle (layer 3) and is named in a note,
# so that it gets its own row.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/runtime"

layer_of() {
    case "$1" in
    os) echo 0 ;;
    core | text) echo 1 ;;
    files | gl) echo 2 ;;
    gfx2d | input | sound | net | pathfind | platform) echo 3 ;;
    gfx3d) echo 4 ;;
    app | desktop) echo 9 ;;
    *) echo 3 ;;
    esac
}

known="os core text files gl gfx2d input sound net pathfind platform gfx3d app desktop"
status=0
# "folder target" for every include between two folders of one layer, for the circle check.
sideways=""
for dir in */; do
    dir=${dir%/}
    case " $known " in *" $dir "*) ;; *) echo "note: runtime/$dir has no row in scripts/check-layers.sh; taken as layer 3" ;; esac
    own=$(layer_of "$dir")
    # Every quoted include that names a folder: file:line:#include "folder/Header.h"
    hits=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[A-Za-z0-9_]+/' "$dir" || true)
    [ -n "$hits" ] || continue
    while IFS= read -r hit; do
        target=$(printf '%s\n' "$hit" | sed -E 's/.*#[[:space:]]*include[[:space:]]+"([A-Za-z0-9_]+)\/.*/\1/')
        [ -d "$target" ] || continue
        if [ "$(layer_of "$target")" -gt "$own" ]; then
            echo "upward include (layer $own includes layer $(layer_of "$target")): runtime/$hit"
            status=1
        elif [ "$(layer_of "$target")" -eq "$own" ] && [ "$target" != "$dir" ]; then
            sideways="$sideways$dir $target
"
        fi
    done <<HITS
$hits
HITS
done
# Two folders that reach each other through includes of their own layer form a circle.
circles=$(printf '%s' "$sideways" | sort -u | awk '
    { reach[$1, $2] = 1; folders[$1] = 1; folders[$2] = 1 }
    END {
        for (k in folders) for (i in folders) if (reach[i, k]) for (j in folders)
            if (reach[k, j]) reach[i, j] = 1
        for (i in folders) for (j in folders)
            if (i < j && reach[i, j] && reach[j, i]) print i " and " j
    }' | sort)
if [ -n "$circles" ]; then
    printf '%s\n' "$circles" | while IFS= read -r pair; do
        echo "circle between folders of one layer: runtime/${pair% and *} and runtime/${pair#* and } include each other"
    done
    status=1
fi
[ $status -eq 0 ] && echo "layers hold: no folder includes one above it, no circle within a layer"
exit $status
