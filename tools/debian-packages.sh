# Sourced by the build scripts: installs the Debian packages named in
# "$@" that are not installed yet, and says which ones it installs.
install_debian_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && { echo "== Debian packages: all present (${*})"; return 0; }
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "== Installing Debian packages with apt-get: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building the program needs.
BUILD_PACKAGES=(cmake g++ make pkg-config libsdl2-dev libx11-dev)
# What the tests need besides: the frame generator's cairo, GoogleTest, and
# an X server with input, screenshot and property tools, and the desktop
# entry validator, and dpkg-shlibdeps and file for the package test.
TEST_PACKAGES=(libcairo2-dev libgtest-dev xvfb xauth xdotool x11-apps x11-utils python3 desktop-file-utils dpkg-dev file)
