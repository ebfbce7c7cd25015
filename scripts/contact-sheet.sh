#!/usr/bin/env bash
# Makes the pictures of the generated assets shown in the README: a contact sheet of every
# picture, a moment of play drawn by the runtime (SDL's offscreen driver, no display needed), and
# that moment drawn into a render target and shown through shaders.
# Usage: contact-sheet.sh <build folder> [output folder, default docs]
set -euo pipefail
build=${1:?build folder}
cd "$(dirname "$0")/.."
out=${2:-docs}

cmake --build "$build" --target assetgen contactsheet sceneshot
assets=$(mktemp -d)
trap 'rm -rf "$assets"' EXIT
"$build/tools/assetgen/assetgen" "$assets"
mkdir -p "$out"
# The runtime makes the program's own folder its working directory: pass absolute paths.
out=$(cd "$out" && pwd)
"$build/tools/assetgen/contactsheet" "$assets" "$out/assets-contact-sheet.png"
"$build/tools/assetgen/sceneshot" "$assets" "$out/scene-assets.png" "$out/render-target.png"
echo "wrote $out/assets-contact-sheet.png, $out/scene-assets.png and $out/render-target.png"
