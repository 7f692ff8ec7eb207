#!/usr/bin/env bash
# Builds the Debian package from this build with CPack, checks where it puts each part of the game,
# and runs the checks packagers run: lintian (no error, no warning left without an override),
# appstreamcli on the AppStream metadata and desktop-file-validate on the desktop entry.
# Skips (77) without root or without the Debian tools.
set -euo pipefail
build="$(cd "$1" && pwd)"

[ "$(id -u)" -eq 0 ] || { echo "package test: skipped, needs root"; exit 77; }
for tool in dpkg-deb dpkg-shlibdeps lintian appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "package test: skipped, no $tool"; exit 77; }
done

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
packages=("$scratch"/fallward_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "expected one fallward_*.deb"
deb="${packages[0]}"

[ "$(dpkg-deb -f "$deb" Package)" = fallward ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section"
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2.0-0' || fail "dependencies were not worked out from the binary"

listing="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#')"
id=io.github.fallward.Fallward
for path in /usr/games/fallward /usr/share/fallward/Working/manifest.txt \
            /usr/share/fallward/Resources/Levels/order.txt /usr/share/man/man6/fallward.6.gz \
            /usr/share/icons/hicolor/scalable/apps/fallward.svg /usr/share/applications/$id.desktop \
            /usr/share/metainfo/$id.metainfo.xml /usr/share/mime/packages/fallward.xml \
            /usr/share/doc/fallward/copyright \
            /usr/share/doc/fallward/changelog.gz /usr/share/lintian/overrides/fallward; do
  grep -qx "$path" <<<"$listing" || fail "$path is not in the package"
done
for path in /usr/bin/ /usr/share/man/man6/fallward.6; do
  ! grep -qx "$path" <<<"$listing" || fail "$path should not be in the package"
done
# The player's levels live in the player's data directory; none made in a checkout may ship.
! grep -q "/MyLevels/" <<<"$listing" || fail "a player's levels folder is in the package"

lintian --fail-on error,warning "$deb" || fail "lintian"
dpkg-deb -x "$deb" "$scratch/root"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli"
desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
grep -qx "MimeType=application/x-fallward-level;" "$scratch/root/usr/share/applications/$id.desktop" ||
  fail "the desktop entry does not open shared levels"

version="$("$build/fallward" --version | awk '{print $2}')"
grep -q "<release version=\"$version\"" "$scratch/root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metadata has no release $version"
echo "package test: ok"
