#!/usr/bin/env bash
# Installs the Debian packages Vulcara needs to build, test and run; with --web instead those of
# the web build and its browser tests. Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang clang-format
  libsdl2-dev libsdl2-mixer-dev libepoxy-dev
  libpng-dev libjpeg-dev zlib1g-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libgl1-mesa-dri libegl-mesa0 libegl1
  # The Debian package (CPack finds the libraries it needs with dpkg-shlibdeps and file) and
  # its checks: lintian and the validators of the menu entry and the AppStream metadata; the
  # full-screen keys on a real X server with a small window manager (SDL asks the window manager
  # for full screen) and key presses.
  dpkg-dev file lintian desktop-file-utils appstream xvfb evilwm xdotool
)
if [ "${1:-}" = "--web" ]; then
  # dpkg-dev unpacks the source packages of the libraries built for the web.
  packages=(emscripten dpkg-dev chromium python3)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "error: packages missing (${missing[*]}) and neither root nor sudo is available" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
