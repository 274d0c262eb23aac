#!/usr/bin/env bash
# Builds the Debian package from the build tree and inspects it: its control
# fields (name, version, the dependencies dpkg-shlibdeps read from the
# programs), every file a user relies on at its place and nothing outside
# /usr, the programs starting from the unpacked tree with its data found, and
# lintian without an error.
#   package_test.sh BUILD_DIR SOURCE_DIR
set -u
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd)
work="$build/package-test"
rm -rf "$work"
mkdir -p "$work"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in cpack dpkg-deb lintian; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup installs it)"; exit 1; }
done
cpack --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
debs=("$work"/quillion_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { ls "$work"; echo "FAIL: not one quillion_*.deb"; exit 1; }
deb=${debs[0]}
echo "built $deb"

# Control fields.
version=$("$build/quillion-cli" --version | grep -oE '[0-9]+(\.[0-9]+)+')
field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == quillion ]] || fail "Package is $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version $(field Version), the programs say $version"
[[ $(basename "$deb") == "quillion_${version}_$(dpkg --print-architecture).deb" ]] || fail "file name $(basename "$deb")"
depends=$(field Depends)
names=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<< "$depends")
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libzip4 qt6-qpa-plugins; do
    grep -qxF -- "$library" <<< "$names" || fail "Depends lacks $library: $depends"
done
for name in Section Priority Maintainer Description Installed-Size; do
    [[ -n $(field "$name") ]] || fail "no $name field"
done

# Contents: owned by root, under /usr, every file a user relies on.
contents=$(dpkg-deb --contents "$deb")
awk '$2 != "root/root" { print }' <<< "$contents" | grep -q . && fail "files not owned by root"
paths=$(awk '{ print $6 }' <<< "$contents" | sed 's|^\./|/|')
grep -vE '^/(usr(/.*)?)?$' <<< "$paths" | grep -q . && fail "files outside /usr: $(grep -vE '^/(usr(/.*)?)?$' <<< "$paths")"
expected=(
    /usr/bin/quillion /usr/bin/quillion-cli
    /usr/share/quillion/strain.txt /usr/share/quillion/nucleo.txt /usr/share/quillion/amino.txt
    /usr/share/applications/quillion.desktop /usr/share/mime/packages/quillion.xml
    /usr/share/icons/hicolor/scalable/apps/quillion.svg
    /usr/share/man/man1/quillion.1.gz /usr/share/man/man1/quillion-cli.1.gz
    /usr/share/bash-completion/completions/quillion-cli
    /usr/share/doc/quillion/copyright /usr/share/doc/quillion/changelog.gz
)
for page in "$source"/data/help/*; do expected+=("/usr/share/quillion/help/$(basename "$page")"); done
for size in 16 22 24 32 48 64 128 256; do expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/quillion.png"); done
for path in "${expected[@]}"; do
    grep -qx -- "$path" <<< "$paths" || fail "missing $path"
done

# Unpacked: the programs start, find their data, and the files are what they say.
root="$work/root"
dpkg-deb --extract "$deb" "$root"
[[ $("$root/usr/bin/quillion-cli" --version) == "quillion-cli $version" ]] || fail "quillion-cli --version"
[[ $("$root/usr/bin/quillion" --version) == "quillion $version" ]] || fail "quillion --version"
"$root/usr/bin/quillion-cli" build "$source/examples/demo.json" -o "$work/demo.prj" &&
    "$root/usr/bin/quillion-cli" generate "$work/demo.prj" 2>/dev/null && [[ -s $work/demo_ST25.txt ]] ||
    fail "the unpacked quillion-cli does not generate the demo's listing"
for size in 16 48 256; do
    file "$root/usr/share/icons/hicolor/${size}x${size}/apps/quillion.png" | grep -q "PNG image data, $size x $size" ||
        fail "the ${size}x${size} icon is not a PNG of that size"
done
grep -q 'MimeType=application/x-quillion-project;' "$root/usr/share/applications/quillion.desktop" ||
    fail "the desktop entry does not open .prj files"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/quillion.desktop" || fail "desktop-file-validate"
fi
changelog=$(gzip -dc "$root/usr/share/doc/quillion/changelog.gz" | head -n 1)
[[ $changelog == "quillion ($version) "* ]] || fail "the changelog's latest entry is not $version: $changelog"

# lintian: information and warnings are shown, an error fails.
lintian --fail-on error --display-info "$deb" > "$work/lintian.log" 2>&1
lintian_status=$?
cat "$work/lintian.log"
[[ $lintian_status -eq 0 ]] || fail "lintian found errors"
grep -q '^E: ' "$work/lintian.log" && fail "lintian reported errors"

[[ $failures -eq 0 ]] && echo "package $(basename "$deb") checked"
exit $((failures > 0))
