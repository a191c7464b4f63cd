#!/usr/bin/env bash
# Builds the Debian package from the build tree BUILD, unpacks it into a
# throw-away root with dpkg -x, checks what it installs, and runs the
# installed vantrel-cli from the read-only tree on a strat.
set -euo pipefail

build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

fail() {
    echo "package: $*" >&2
    exit 1
}

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) \
    || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb="${debs[0]}"

[ "$(dpkg-deb -f "$deb" Package)" = vantrel ] || fail "package name"
dpkg-deb -f "$deb" Depends | grep -q qt6-qpa-plugins || fail "Depends lacks the Qt platform plugins"

root="$work/root"
dpkg -x "$deb" "$root"

for f in usr/bin/vantrel-cli \
         usr/share/vantrel/Overviews \
         usr/share/vantrel/icons \
         usr/share/applications/vantrel.desktop \
         usr/share/mime/packages/vantrel-strat.xml \
         usr/share/icons/hicolor/scalable/apps/vantrel.svg; do
    [ -e "$root/$f" ] || fail "$f is not installed"
done
ls "$root"/usr/share/vantrel/Overviews/*.png >/dev/null 2>&1 || fail "no overview images"
# The executables live in bin only.
for f in vantrel vantrel-cli video temp.bmp; do
    [ ! -e "$root/usr/share/vantrel/$f" ] || fail "usr/share/vantrel/$f should not be installed"
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/vantrel.desktop" || fail "desktop entry"
fi
# The MIME package compiles, and *.vtr files are "Vantrel strat" ("Tática do
# Vantrel" on Portuguese desktops).
if command -v update-mime-database >/dev/null; then
    mkdir -p "$work/mime/packages"
    cp "$root/usr/share/mime/packages/vantrel-strat.xml" "$work/mime/packages/"
    update-mime-database "$work/mime" || fail "update-mime-database"
    grep -q 'application/x-vantrel-strat:\*\.vtr' "$work/mime/globs2" || fail "no *.vtr glob"
    grep -q '<comment>Vantrel strat</comment>' "$work/mime/application/x-vantrel-strat.xml" \
        || fail "MIME comment"
    grep -q 'xml:lang="pt">Tática do Vantrel<' "$work/mime/application/x-vantrel-strat.xml" \
        || fail "Portuguese MIME comment"
fi

# From here the install is read-only, as under /usr.
chmod -R a-w "$root"
cli="$root/usr/bin/vantrel-cli"
unset VANTREL_HOME
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
printf '{"title": "Pacote", "overview": "depot.png"}' >"$work/doc.json"
"$cli" create "$work/doc.json" "$work/home/s.vtr" || fail "vantrel-cli create"
strats=("$work/home/s.vtr")
shopt -s nullglob
strats+=("$root"/usr/share/vantrel/*.vtr)
for s in "${strats[@]}"; do
    out="$("$cli" info "$s")" || fail "vantrel-cli info $s"
    grep -q "overview:" <<<"$out" || fail "vantrel-cli info $s printed: $out"
done
grep -q "title:     Pacote" <<<"$("$cli" info "$work/home/s.vtr")" || fail "title not read back"
echo "package: $(basename "$deb") installs and runs"
