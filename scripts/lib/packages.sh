# Debian packages the scripts need, and the installer they share (sourced).

# Building the programs.
build_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev
)
# Building and running the tests, the fuzzer and the benchmarks; the desktop
# files' checks (validators, MIME database, xdg-mime, dpkg-shlibdeps).
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-utils imagemagick socat poppler-utils
  dpkg-dev desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
)
# Building and checking the Debian package (scripts/package).
package_packages=(dpkg-dev file lintian)

# Installs the named packages that are missing, with sudo when not root.
need_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
