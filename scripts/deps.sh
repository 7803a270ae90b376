# Sourced by scripts/run and scripts/test: installs the Debian 12 packages
# the build, the tests and the editor need, when any is missing.
QUARN_PACKAGES="build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libglx-dev libopengl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev clang libclang-rt-dev
  xvfb xauth fonts-ipafont-gothic fonts-ipafont-mincho libc-bin poppler-utils
  desktop-file-utils appstream"

quarn_install_deps() {
  local missing=""
  for p in $QUARN_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

quarn_build() {
  local dir="$1"; shift
  cmake -S "$QUARN_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}
