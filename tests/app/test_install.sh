#!/usr/bin/env bash
# cmake --install into a fresh prefix: the program, data/, reporty/, the menu entry and the icon where
# they belong; then the installed program started twice with a home of its own: the first start copies
# the shipped tables into the user's data folder, the second keeps what the first left there. The
# counting centre's command beside it finds the shipped code lists and the summary's template, and through
# its run path the ZIP module, which opens an archive of the build; without the module every archive is
# refused, without a crash.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/volby bin/volby-centrum share/volby/data/S1.DBF share/volby/data/OBCE06.DBF share/volby/reporty/priloha_T12.html \
         share/applications/volby.desktop share/icons/hicolor/48x48/apps/volby.png; do
    [ -f "$prefix/$f" ] || { echo "missing after the install: $f"; exit 1; }
done
grep -qx 'Exec=volby' "$prefix/share/applications/volby.desktop"

export HOME=$root/home XDG_DATA_HOME=$root/home/.local/share XDG_CONFIG_HOME=$root/home/.config
user_data="$XDG_DATA_HOME/Volby do VQRA 2006/data"
start() {
    # Started from another folder; it runs until the timeout ends it (exit 124), or fails at once.
    local rc=0
    (cd / && timeout 3 "$prefix/bin/volby") || rc=$?
    [ "$rc" -eq 124 ] || { echo "the installed program ended with $rc"; exit 1; }
}
start
cmp "$prefix/share/volby/data/S1.DBF" "$user_data/S1.DBF"
[ "$(ls "$prefix/share/volby/data" | wc -l)" -eq "$(ls "$user_data" | wc -l)" ]
echo "kept" >"$user_data/marker"
start
[ -f "$user_data/marker" ]

mkdir "$root/archivy" "$root/suhrn"
"$build/bench/bench_centre" 1 --archivy "$root/archivy" >/dev/null
(cd / && "$prefix/bin/volby-centrum" suhrn "$root/archivy" --vystup "$root/suhrn" >/dev/null)
[ -s "$root/suhrn/suhrn.pdf" ] && [ -s "$root/suhrn/okrsky.csv" ]
verify() {
    local rc=0
    (cd / && "$prefix/bin/volby-centrum" overit "$root/archivy" >"$root/overit.txt" 2>&1) || rc=$?
    [ "$rc" -eq "$1" ] || { echo "volby-centrum overit ended with $rc:"; cat "$root/overit.txt"; exit 1; }
}
verify 0
grep -q ' OK$' "$root/overit.txt"
module=$(find "$prefix" -name 'libvolby_archive.so')
[ -n "$module" ] || { echo "missing after the install: the ZIP module"; exit 1; }
rm "$module"
verify 1
grep -q 'poškodený' "$root/overit.txt"
