# Shared by ./run, ./test and .ci/run: install what is missing from the
# distribution's packages, then configure and build into build/.

ZVC_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZVC_BUILD=${ZVC_BUILD:-$ZVC_ROOT/build}

ZVC_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev
  googletest libgtest-dev libgmock-dev
  python3 python3-openpyxl poppler-utils
  libreoffice-calc-nogui
  qt6-translations-l10n
  libxlsxwriter-dev
  qt6-charts-dev libqt6opengl6-dev
  libcli11-dev
)

zvc_sudo() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

zvc_install_missing() {
  local missing=()
  for pkg in "${ZVC_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  zvc_sudo apt-get update -qq
  zvc_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

zvc_build() {
  # A compiler cache, where one is installed, makes rebuilds in other checkouts cheap.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ZVC_ROOT" -B "$ZVC_BUILD" "${launcher[@]}" "$@" >/dev/null
  cmake --build "$ZVC_BUILD" -j"$(nproc)"
}
