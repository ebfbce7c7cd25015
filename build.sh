#!/usr/bin/env bash
# The two set-up commands of the README on a fresh Debian machine:
#   ./build.sh run    installs what is missing, builds everything and starts the game
#   ./build.sh test   installs what is missing, builds and runs every test (plain, then under
#                     AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzzers briefly)
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
case "${1:-run}" in
run) exec make run ;;
test) exec make test ;;
*)
    echo "usage: ./build.sh run|test" >&2
    exit 2
    ;;
esac
