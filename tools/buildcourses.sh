#!/bin/sh
# Rebuilds the shipped courses' maps in the game's own editor and ties their courses to the new
# bytes: for each course, tools/courseeditorscript.py writes the autoplay script that places and
# stretches its blocks and saves the map; tetherix-autoplay plays it with a HOME of its own, the
# saved NAME.rmap goes to data/courses/, and the "map-checksum" line of data/courses/NAME.course
# (whose gates are written by hand) is set to the FNV-1a 64 of the new bytes.
# Run from the repository root after a build: tools/buildcourses.sh
set -eu
autoplay=${AUTOPLAY:-build/bin/tetherix-autoplay}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build/shots
for name in 1-first-steps 2-swing 3-reel; do
    python3 tools/courseeditorscript.py "$name" > "$work/$name.txt"
    env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$work/home" "$autoplay" "$work/$name.txt" > "$work/$name.log"
    cp "$work/home/Documents/Tetherix/$name.rmap" "data/courses/$name.rmap"
    sum=$(python3 tools/courseeditorscript.py --checksum "data/courses/$name.rmap")
    sed -i "s/^map-checksum fnv1a64 .*/map-checksum fnv1a64 $sum/" "data/courses/$name.course"
    echo "data/courses/$name.rmap: map-checksum $sum"
done
