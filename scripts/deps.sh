# Sourced by the build scripts: makes sure the Debian packages a task needs are present.
# As root it installs what is missing with apt-get; otherwise it prints the apt-get
# line to run and stops.

BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config
    libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core
    libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils x11-apps xfonts-base imagemagick)

ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}
