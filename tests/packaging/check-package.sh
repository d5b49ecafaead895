#!/usr/bin/env bash
# check-package.sh BUILD_DIR VERSION PROGRAM... — what `cmake --install` and `make package`
# deliver: programs, desktop entry, metainfo, icons and manual pages, and a Debian package
# whose metadata and file list say the same.
set -euo pipefail
build=$1
version=$2
shift 2
programs=("$@")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
passes=0
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@" >"$tmp/out" 2>&1; then
        passes=$((passes + 1))
    else
        echo "FAILED: $what"
        sed 's/^/    /' "$tmp/out" | head -20
        failures=$((failures + 1))
    fi
}

# A PNG's width and height from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }

DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >"$tmp/install.log"
usr="$tmp/root/usr"
for program in "${programs[@]}"; do
    check "$program is installed as a program" test -x "$usr/bin/$program"
done
check "the desktop entry is valid" desktop-file-validate "$usr/share/applications/brelvan.desktop"
check "the desktop entry starts brelvan" grep -qx 'Exec=brelvan' "$usr/share/applications/brelvan.desktop"
check "the metainfo is valid" appstreamcli validate --no-net "$usr/share/metainfo/org.brelvan.Brelvan.metainfo.xml"
check "the metainfo carries this version" grep -q "release version=\"$version\"" "$usr/share/metainfo/org.brelvan.Brelvan.metainfo.xml"
for size in 16 22 24 32 48 64 96 128 256; do
    icon="$usr/share/icons/hicolor/${size}x${size}/apps/brelvan.png"
    check "icon ${size}x${size} is a PNG of its size" test "$(png_size "$icon" 2>/dev/null)" = "${size}x${size}"
    # A desktop at scale 2 takes the icon of the same size in points drawn at twice the pixels.
    dense="$usr/share/icons/hicolor/${size}x${size}@2/apps/brelvan.png"
    check "icon ${size}x${size}@2 is a PNG of twice its size" test "$(png_size "$dense" 2>/dev/null)" = "$((size * 2))x$((size * 2))"
done
for page in brelvan brelvan-cli tipsd; do
    man="$usr/share/man/man1/$page.1.gz"
    check "manual page $page(1) is installed and titled" bash -c "gzip -dc '$man' | grep -q '^\.TH '"
done

# The Debian package.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" 2>&1 || {
    echo "FAILED: cpack"
    tail -20 "$tmp/cpack.log"
    exit 1
}
deb=$(ls "$tmp"/package/brelvan_"$version"_*.deb)
dpkg-deb -I "$deb" >"$tmp/info"
dpkg-deb -c "$deb" | awk '{print $NF}' >"$tmp/files"
check "the package is named brelvan" grep -q '^ Package: brelvan$' "$tmp/info"
check "the package has this version" grep -q "^ Version: $version\$" "$tmp/info"
check "the package depends on the C library (read off the programs)" grep -Eq '^ Depends:.*libc6 \(>=' "$tmp/info"
check "the package depends on the fonts the window draws with" grep -Eq '^ Depends:.*fonts-liberation2' "$tmp/info"
check "the package depends on the transfer library loaded at run time" grep -Eq '^ Depends:.*libcurl4' "$tmp/info"
if [ -x "$usr/bin/brelvan" ]; then
    check "the package depends on the display library of the window" grep -Eq '^ Depends:.*libsdl2' "$tmp/info"
fi
for file in "${programs[@]/#/./usr/bin/}" ./usr/share/applications/brelvan.desktop \
    ./usr/share/metainfo/org.brelvan.Brelvan.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/brelvan.png ./usr/share/man/man1/brelvan.1.gz; do
    check "the package holds $file" grep -qx "$file" "$tmp/files"
done
check "the package holds nothing outside /usr" bash -c "! grep -v '^\./usr/\|^\./$' '$tmp/files'"

echo "packaging: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
