#!/usr/bin/env bash
# Fetches the Debian 12 source packages of the libraries the web build compiles itself (SDL2,
# SDL2_mixer, zlib, libpng, libjpeg-turbo) into DIR (default build-web/src), one folder each.
# Uses a private source list, so the machine's own apt configuration stays as it is.
# Quiet and quick when everything is already there.
set -euo pipefail

dir=$(realpath -m "${1:-build-web/src}")
packages=(libsdl2 libsdl2-mixer zlib libpng1.6 libjpeg-turbo)

missing=()
for p in "${packages[@]}"; do
  [ -e "$dir/$p.stamp" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

apt_dir="$dir/apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
cat > "$apt_dir/sources.list" <<LIST
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
LIST
apt_options=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o APT::Sandbox::User=root -qq
)
echo "Fetching the source packages: ${missing[*]}"
apt-get "${apt_options[@]}" update
cd "$dir"
for p in "${missing[@]}"; do
  rm -rf "${p:?}" "$p".tmp
  mkdir "$p".tmp
  (cd "$p".tmp && apt-get "${apt_options[@]}" source "$p" >/dev/null)
  # The unpacked tree is the one folder beside the downloaded files.
  mv "$(find "$p".tmp -mindepth 1 -maxdepth 1 -type d)" "$p"
  rm -rf "$p".tmp
  touch "$p.stamp"
done
