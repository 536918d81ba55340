#!/bin/sh
# A smoke run of zvk.exe under Wine, in the locale of the caller: the sample lists, one of
# them under a Slovak name, in a folder with a Slovak name, converted to their semicolon
# texts, through the Wine gate. Usage: wine_smoke.sh BUILD_FOLDER (the Wine environment is
# the caller's).
set -eu
build=$(cd "$1" && pwd)
gate=$(cd "$(dirname "$0")" && pwd)/wine_gate.sh
samples=$(cd "$(dirname "$0")/../../data/samples" && pwd)
work="$build/smoke"
folder="Zväzok čísel"
rm -rf "$work"
mkdir -p "$work/$folder"
cp "$samples"/*.DAT "$work/$folder/"
mv "$work/$folder/LIST0001.DAT" "$work/$folder/Ľavý breh.DAT"
cd "$work"
sh "$gate" "$build/src/cli/zvk.exe" convert "$folder/Ľavý breh.DAT" "$folder/LIST0002.DAT"
for text in "$folder/Ľavý breh.csv" "$folder/LIST0002.csv"; do
    if [ ! -s "$text" ]; then
        echo "zvk.exe smoke run: $text was not written" >&2
        exit 1
    fi
done
echo "zvk.exe converted two lists in \"$folder\" (LANG=${LANG:-})"
