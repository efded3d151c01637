# Shared by run.sh and test.sh: install what is missing, then build.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

PACKAGES="cmake g++ make qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libquazip1-qt6-dev libeigen3-dev fonts-wqy-microhei fonts-noto-cjk poppler-utils"

install_missing() {
    local missing=""
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
    fi
}

build() {
    cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$BUILD" -j"$(nproc)"
}
