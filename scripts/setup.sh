# Sourced by run.sh and test.sh: installs the Debian packages QOR needs that are missing.
# apt-get as root, else through sudo, else a message that names the packages.

QOR_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libicu-dev libopencc-dev libopencc-data
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth fonts-wqy-zenhei imagemagick xdotool python3
)

qor_install_packages() {
  local missing=()
  local package
  for package in "${QOR_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing: ${missing[*]}"
  local apt=(apt-get)
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
      apt=(sudo apt-get)
    else
      echo "These packages are missing and this user cannot install them:" >&2
      echo "  ${missing[*]}" >&2
      echo "Install them as root:  apt-get install ${missing[*]}" >&2
      return 1
    fi
  fi
  "${apt[@]}" update -qq &&
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
}

# Configures (once) and builds a tree: qor_build DIR [cmake options...]
qor_build() {
  local dir=$1
  shift
  cmake -S "$QOR_ROOT" -B "$QOR_ROOT/$dir" -G Ninja "$@" >/dev/null &&
    cmake --build "$QOR_ROOT/$dir"
}
