# Sourced by run.sh and test.sh: installs the Debian packages QOR needs that are missing.
# apt-get as root, else through sudo, else a message that names the packages.

QOR_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libicu-dev libopencc-dev libopencc-data
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth fonts-wqy-zenhei imagemagick xdotool python3
  pybind11-dev python3-dev python3-pytest python3-pandas python3-dask python3-distributed
)

# The texts the diagnosis language model is trained on: only bench/language_model/make_model.sh
# needs them.
QOR_TRAINING_PACKAGES=(
  debian-reference-zh-cn debian-reference-zh-tw debian-reference-ja debian-reference-de
  debian-reference-fr debian-reference-es debian-reference-it debian-reference-pt
  debian-reference-en debian-handbook gnome-user-docs rime-data-luna-pinyin
  hunspell-ru hunspell-uk hunspell-bg hunspell-el hunspell-ko hunspell-de-de hunspell-fr
  hunspell-es hunspell-pl hunspell-cs hunspell-hu hunspell-en-us
)

qor_install_training_packages() {
  qor_install_packages "${QOR_TRAINING_PACKAGES[@]}"
}

# Installs the packages named, or QOR_PACKAGES, that are missing.
qor_install_packages() {
  local missing=()
  local package
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${QOR_PACKAGES[@]}")
  for package in "${wanted[@]}"; do
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
