#!/usr/bin/env bash
# Installs the Debian packages the project needs, only when some are missing.
#   install-deps.sh demo   what the demo needs
#   install-deps.sh all    everything: tests, benchmarks, the Windows cross builds and Wine (64-bit
#                          and 32-bit)
set -euo pipefail
profile=${1:-all}
packages=(cmake ninja-build g++ libpng-dev pkg-config libsdl2-dev)
if [ "$profile" = all ]; then
  packages+=(clang-format googletest libbenchmark-dev libpixman-1-dev binutils valgrind clang clang-14
             libclang-rt-14-dev dpkg-dev file g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine64
             wine32:i386 g++-multilib qemu-user libpng-dev:i386 zlib1g-dev:i386
             xvfb xdotool x11-apps x11-utils imagemagick lintian abigail-tools libx11-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# The i386 build's libraries come from Debian's multiarch packages.
case " ${missing[*]}" in *:i386*)
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386 ;;
esac
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
