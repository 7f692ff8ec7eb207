#!/usr/bin/env bash
# Installs the game into a temporary prefix, makes its data read-only, runs the installed binary
# headless from another directory, and checks that a save lands under the XDG data directory and
# that nothing is written into the prefix or the working directory.
set -euo pipefail
build="$(cd "$1" && pwd)"
solutions="$(cd "$(dirname "$0")/../solutions" && pwd)"

scratch="$(mktemp -d)"
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "install test: $*" >&2; exit 1; }
for file in bin/fallward share/fallward/Working/manifest.txt share/fallward/Resources/Levels/order.txt \
            share/applications/io.github.fallward.Fallward.desktop share/icons/hicolor/scalable/apps/fallward.svg \
            share/man/man6/fallward.6; do
  [ -f "$prefix/$file" ] || fail "$file was not installed"
done
chmod -R a-w "$prefix"
touch "$scratch/installed"

mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" XDG_STATE_HOME="$scratch/state"
"$prefix/bin/fallward" --version | grep -q '^fallward [0-9]' || fail "--version"

# A tile-map save through the engine's table, as the editor makes one.
echo 'Engine.SaveLevel("PlayerMap")' > "$scratch/save.lua"
"$prefix/bin/fallward" --headless --level Level1 --frames 30 --fixed-dt 16.6667 --problems fatal \
  --exec "$scratch/save.lua" || fail "the installed game did not run cleanly (status $?)"

[ -s "$XDG_DATA_HOME/fallward/Levels/Tiles/PlayerMap" ] || fail "the save did not land under XDG_DATA_HOME"

# A level won: its best time and the progress land beside the player's levels.
"$prefix/bin/fallward" --headless --level Level1 --frames 700 --fixed-dt 16.6667 --problems fatal \
  --input-script "$solutions/Level1.input" || fail "the installed game did not play Level1 cleanly (status $?)"
grep -q '<Best level="Level1">' "$XDG_DATA_HOME/fallward/records.xml" ||
  fail "the records did not land under XDG_DATA_HOME"
[ -z "$(find "$prefix" -newer "$scratch/installed")" ] || fail "the game wrote into the installed tree"
[ -z "$(ls -A "$scratch/elsewhere")" ] || fail "the game wrote into the working directory"
echo "install test: ok"
