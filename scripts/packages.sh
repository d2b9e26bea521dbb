# The system packages the project needs, and their installation; sourced by
# setup.sh and fuzz.sh.

buildPackages=(
    g++ cmake ninja-build pkg-config
    libsqlite3-dev nlohmann-json3-dev
    libgtest-dev libgmock-dev
    libbenchmark-dev
    libvterm-dev
    clang-format
    qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
    xvfb xauth imagemagick
)
# The fuzz target needs clang's libFuzzer and sanitizer runtimes.
fuzzPackages=(
    clang libclang-rt-14-dev
    cmake ninja-build pkg-config
    libsqlite3-dev nlohmann-json3-dev
)

# The pictures are drawn at build time with Qt's painter and the man page is
# made from --help.
buildPackages+=(qt6-base-dev qt6-svg-dev fonts-dejavu-core help2man)
# Building and checking the Debian package and the desktop files.
packagingPackages=(
    debhelper dpkg-dev fakeroot lintian
    desktop-file-utils appstream
)

# Installs those of the given packages that are missing (with sudo when not
# root).
installMissing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then return 0; fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}
