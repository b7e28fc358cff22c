#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree.
set -euo pipefail
build=$1 with_player=$2
here=$(dirname "$0")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" > "$scratch/install.log"
"$here/check_tree.sh" "$scratch/prefix" "$scratch/checks" "$with_player"
