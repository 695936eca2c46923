# Shared by scripts/run and scripts/test: installs what a fresh Debian 12 machine lacks,
# then configures and builds incrementally.
set -euo pipefail

GORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
GORVANE_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools
                  qt6-serialport-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
                  qt6-qpa-plugins libqt6serialport6 librsvg2-bin qt6-charts-dev libqt6opengl6-dev libqt6charts6
                  libmosquitto-dev mosquitto openssl)

# install_missing_packages [package...]: the given packages, or GORVANE_PACKAGES.
install_missing_packages() {
    local wanted=("$@")
    [ ${#wanted[@]} -gt 0 ] || wanted=("${GORVANE_PACKAGES[@]}")
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >&2
}

# configure_tree DIR [extra cmake arguments...]
configure_tree() {
    local dir=$1
    shift
    install_missing_packages
    cmake -S "$GORVANE_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
}

# build_tree DIR [extra cmake arguments...]: everything, tests included.
build_tree() {
    configure_tree "$@"
    cmake --build "$1" --parallel "$(nproc)"
}
