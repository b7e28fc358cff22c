#!/usr/bin/env bash
# Checks an installed Roamer tree: check_tree.sh PREFIX SCRATCH WITH_PLAYER
# PREFIX is what `cmake --install --prefix` made, or the usr/ of an extracted package.
# SCRATCH is an empty folder for the files the checks write. WITH_PLAYER is 1 when the player
# was built (then its menu entry, AppStream file and man page are installed with it).
set -euo pipefail
prefix=$1 scratch=$2 with_player=$3
share=$prefix/share
fail() { echo "FAIL: $*" >&2; exit 1; }

expect_files=(
  bin/roamer-check bin/roamer-render
  share/mime/packages/roamer.xml
  share/icons/hicolor/scalable/apps/roamer.svg
  share/man/man1/roamer-check.1.gz share/man/man1/roamer-render.1.gz
  share/roamer/manual/index.html
  share/roamer/samples/default.vol share/roamer/samples/客廳.dsg share/roamer/samples/客廳.rcd
  share/roamer/samples/tex/oak_floor.png share/roamer/samples/models/sofa.x
)
if [ "$with_player" = 1 ]; then
  expect_files+=(bin/roamer share/applications/roamer.desktop
                 share/metainfo/org.roamer.Roamer.metainfo.xml share/man/man1/roamer.1.gz)
fi
for f in "${expect_files[@]}"; do [ -s "$prefix/$f" ] || fail "missing $f"; done

# Icons: every size a PNG of that size.
for size in 16 22 24 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/roamer.png
  file -b "$icon" | grep -q "PNG image data, $size x $size," || fail "icon $icon is not ${size}x${size}"
done

# Man pages: groff reads them without a warning.
for page in "$share"/man/man1/roamer*.1.gz; do
  warnings=$(zcat "$page" | groff -man -Tutf8 -ww -z 2>&1) || fail "groff failed on $page"
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# Each man page names every option its program's --help lists, and no other.
pages=(roamer-check roamer-render)
[ "$with_player" = 1 ] && pages+=(roamer)
for program in "${pages[@]}"; do
  page=$(zcat "$share/man/man1/$program.1.gz" | sed 's/\\-/-/g')
  help=$("$prefix/bin/$program" --help 2>&1)
  options() { grep -oE -- '--[a-z][a-z-]*[a-z]' | sort -u; }
  names() { grep -qE -- "$1([^a-z-]|\$)"; }  # --smooth is not named by --smooth-motion
  for option in $(options <<< "$help"); do
    names "$option" <<< "$page" || fail "man page of $program lacks $option"
  done
  for option in $(options <<< "$page"); do
    names "$option" <<< "$help" || fail "man page of $program names $option, which --help does not"
  done
done

# Menu entry and AppStream file: installed ones, else the sources they are made from.
if [ "$with_player" = 1 ]; then
  desktop=$share/applications/roamer.desktop
  metainfo=$share/metainfo/org.roamer.Roamer.metainfo.xml
else
  desktop=$ROAMER_SOURCE_DIR/desktop/roamer.desktop
  metainfo=$ROAMER_BUILD_DIR/desktop/org.roamer.Roamer.metainfo.xml
fi
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate $metainfo"
grep -q '^Exec=roamer %F$' "$desktop" || fail "Exec line"
grep -q '^Name\[zh_TW\]=' "$desktop" || fail "no Traditional Chinese name"

# File types: a MIME database of our types alone recognises the samples by name, and a design
# renamed to .txt by the title line it begins with.
mkdir -p "$scratch/xdg/mime/packages" "$scratch/home" "$scratch/files"
cp "$share/mime/packages/roamer.xml" "$scratch/xdg/mime/packages/"
XDG_DATA_DIRS=$scratch/xdg XDG_DATA_HOME=$scratch/home update-mime-database "$scratch/xdg/mime"
samples=$share/roamer/samples
cp "$samples/客廳.dsg" "$scratch/files/renamed.txt"
cp "$samples/客廳.rcd" "$scratch/files/path.txt"
echo "plain text" > "$scratch/files/plain.txt"
expect_type() {
  local got
  got=$(XDG_DATA_DIRS=$scratch/xdg:/usr/share XDG_DATA_HOME=$scratch/home \
        xdg-mime query filetype "$1")
  [ "$got" = "$2" ] || fail "$1 is $got, not $2"
}
expect_type "$samples/客廳.dsg" application/x-roamer-design
expect_type "$samples/default.vol" application/x-roamer-playlist
expect_type "$samples/臥室.rcd" application/x-roamer-browse-path
expect_type "$scratch/files/renamed.txt" application/x-roamer-design
expect_type "$scratch/files/path.txt" application/x-roamer-browse-path
expect_type "$scratch/files/plain.txt" text/plain

# The installed tools read the installed samples.
"$prefix/bin/roamer-check" "$samples/default.vol" > "$scratch/check.txt" \
  || fail "roamer-check default.vol: $(cat "$scratch/check.txt")"
"$prefix/bin/roamer-render" --out "$scratch/room.png" "$samples/客廳.dsg" \
  || fail "roamer-render 客廳.dsg"
file -b "$scratch/room.png" | grep -q 'PNG image data, 640 x 480,' || fail "rendered picture"

if [ "$with_player" = 1 ]; then
  "$prefix/bin/roamer" --help > "$scratch/help.txt" 2>&1 || fail "roamer --help"
  grep -q -- '--play' "$scratch/help.txt" || fail "roamer --help does not name --play"
  # The installed player plays the installed samples, on a display of its own.
  "$ROAMER_SOURCE_DIR/tests/gui/xvfb-run-test" "$ROAMER_SOURCE_DIR/tests/desktop/play_at_start.sh" \
    "$prefix/bin/roamer" "$share/roamer" || fail "the installed player did not play the samples"
fi
echo "tree $prefix: all checks passed"
