#!/usr/bin/env bash
# Installs the build (default build/) into a temporary prefix and runs the
# installed programs from PATH; then builds the Debian package from a clean
# copy of the sources, checks it with lintian and runs the console from the
# unpacked package. Temporary folders are removed at the end.
#   scripts/install-check.sh [BUILD_DIR]
# KESTRO_SKIP_DEB=1 skips the package; KESTRO_DEB_OUT=DIR keeps a copy of it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
jobs=$(nproc 2>/dev/null || echo 2)
appId=org.kestro.RouterSimulator
pictures=(ActivityNetworkDiagram.jpg twoRouterTopologyA_RouterA.jpg twoRouterTopologyA_RouterB.jpg
    twoRouterTopologyB_RouterA.jpg twoRouterTopologyB_RouterB.jpg troubleShooting1.jpg
    troubleShooting2.jpg Test1And2Diagram.jpg Test3Diagram.jpg SplashScreen.JPG KestroLogoIcon.ico)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/kestro-install-check.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install-check: $*" >&2; exit 1; }

# A short session: start it, enter privileged mode, ask the clock.
keys=$tmp/session.keys
printf '\nenable\nshow clock\n' > "$keys"

# Checks an installed tree under $1 (a prefix) and runs its programs from PATH.
checkTree() {
    local prefix=$1 data=$1/share/kestro
    [ -f "$data/DataStore.db" ] || fail "no $data/DataStore.db"
    local p
    for p in "${pictures[@]}"; do
        [ -s "$data/$p" ] || fail "no picture $data/$p"
    done
    [ -s "$prefix/share/icons/hicolor/48x48/apps/$appId.png" ] || fail "no 48x48 icon"
    [ -s "$prefix/share/icons/hicolor/scalable/apps/$appId.svg" ] || fail "no scalable icon"
    [ -s "$prefix/share/man/man1/kestro-console.1" ] || [ -s "$prefix/share/man/man1/kestro-console.1.gz" ] ||
        fail "no kestro-console man page"

    # The installed console finds its database in share/kestro, not beside it.
    local out
    out=$(cd "$tmp" && PATH="$prefix/bin:$PATH" kestro-console --script "$keys") ||
        fail "kestro-console --script failed"
    grep -q "Router#" <<<"$out" || fail "kestro-console did not reach privileged mode: $out"

    if [ -x "$prefix/bin/kestro" ]; then
        desktop-file-validate "$prefix/share/applications/$appId.desktop" || fail "desktop entry"
        # The charts of My Progress are a module the program loads from
        # lib/kestro (lib/<triplet>/kestro in the package).
        compgen -G "$prefix/lib/kestro/kestro-charts.so" >/dev/null ||
            compgen -G "$prefix/lib/*/kestro/kestro-charts.so" >/dev/null || fail "no charts module"
        appstreamcli validate --no-net "$prefix/share/metainfo/$appId.metainfo.xml" >/dev/null ||
            fail "metainfo"
        # The installed program up to its main window, offscreen, then out.
        (cd "$tmp" && PATH="$prefix/bin:$PATH" QT_QPA_PLATFORM=offscreen \
            timeout 60 kestro --skip-countdown --quit-when-shown) || fail "kestro did not start and quit"
    else
        echo "install-check: note: kestro was not built (no Qt 6 Widgets); console only"
    fi
}

echo "== cmake --install into a temporary prefix"
cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
checkTree "$tmp/prefix"
echo "installed programs run from PATH"

if [ "${KESTRO_SKIP_DEB:-0}" = 1 ]; then exit 0; fi

echo "== Debian package"
version=$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version)
src=$tmp/src/kestro-$version
mkdir -p "$src"
# A clean copy: no build folders, no repository, nothing a developer left.
tar -C "$top" --exclude='./build*' --exclude=./.git --exclude='./obj-*' --exclude=./.cache \
    --exclude='./debian/kestro' --exclude='./debian/.debhelper' -cf - . | tar -C "$src" -xf -
(cd "$src" && DEB_BUILD_OPTIONS="nocheck parallel=$jobs" dpkg-buildpackage -b -us -uc >"$tmp/deb.log" 2>&1) ||
    { tail -40 "$tmp/deb.log"; fail "dpkg-buildpackage failed"; }
deb=$(ls "$tmp"/src/kestro_*.deb)
lintian --fail-on error --suppress-tags bad-distribution-in-changes-file "$deb" | tee "$tmp/lintian.log"
if [ -n "${KESTRO_DEB_OUT:-}" ]; then mkdir -p "$KESTRO_DEB_OUT" && cp "$deb" "$KESTRO_DEB_OUT/"; fi
dpkg-deb -x "$deb" "$tmp/unpacked"
checkTree "$tmp/unpacked/usr"
echo "package $(basename "$deb") builds, passes lintian and runs"
