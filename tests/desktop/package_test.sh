#!/usr/bin/env bash
# Builds the Debian package with CPack, checks what it lists and declares, then checks its
# extracted tree as an installed one.
set -euo pipefail
build=$1 with_player=$2 version=$3
here=$(dirname "$0")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" > cpack.log) \
  || { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/out/roamer_"$version"_*.deb)

dpkg-deb -c "$deb" > "$scratch/contents.txt"
listed=(./usr/bin/roamer-check ./usr/bin/roamer-render ./usr/share/mime/packages/roamer.xml
        ./usr/share/doc/roamer/copyright
        ./usr/share/roamer/samples/default.vol ./usr/share/roamer/manual/index.html
        ./usr/share/icons/hicolor/256x256/apps/roamer.png ./usr/share/man/man1/roamer-check.1.gz)
if [ "$with_player" = 1 ]; then
  listed+=(./usr/bin/roamer ./usr/share/applications/roamer.desktop
           ./usr/share/metainfo/org.roamer.Roamer.metainfo.xml)
fi
for f in "${listed[@]}"; do
  grep -q " $f\$" "$scratch/contents.txt" || fail "the package does not hold $f"
done

# Library dependencies found by shlibdeps, beside the declared drivers.
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
for d in libc6 libstdc++6 libepoxy0 libassimp5 libegl1 libegl-mesa0 \
         $([ "$with_player" = 1 ] && echo libqt6widgets6 libqt6svg6 fonts-arphic-uming); do
  grep -qx "$d" <<< "$depends" || fail "Depends lacks $d: $(dpkg-deb -f "$deb" Depends)"
done
[ "$(dpkg-deb -f "$deb" Section)" = graphics ] || fail "section"
# Debian's policy: a name and a mail address.
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ $maintainer =~ ^[^\<\>@]+\ \<[^\<\>@\ ]+@[^\<\>@\ ]+\.[a-z]+\>$ ]] || fail "maintainer: $maintainer"

dpkg-deb -x "$deb" "$scratch/root"
"$here/check_tree.sh" "$scratch/root/usr" "$scratch/checks" "$with_player"
