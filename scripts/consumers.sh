#!/usr/bin/env bash
# Proves the installed package is enough for a host project: installs a build into a scratch
# prefix, makes its packages, and builds and runs examples/minimal_host against them.
#   consumers.sh linux <build-dir>     find_package(ToolTray), pkg-config, and the .deb packages
#                                      unpacked with dpkg -x
#   consumers.sh windows <build-dir>   the mingw-w64 install tree and zip; the example built with
#                                      the build's own mingw-w64 toolchain against the unpacked zip
#                                      and run under Wine ($WINE: wine64, or the 32-bit loader)
set -euo pipefail
cd "$(dirname "$0")/.."
mode=$1
build=$(realpath "$2")
jobs=${JOBS:-2}
scratch=$build/consumers
rm -rf "$scratch"
mkdir -p "$scratch"
example=examples/minimal_host

# Shows what a run of the example printed, and checks it pressed the tool under its point and
# that its image shows that tool framed in white, another in black.
check_output() { # output text of a run
  echo "$1" | sed 's/^/    /'
  grep -q "hits tool 2; pressed" <<<"$1" &&
    grep -q "frame of tool 2 at (33, 4): ffffff; of tool 5 at (4, 33): 000000" <<<"$1" || {
    echo "unexpected output from the example"
    exit 1
  }
}

if [ "$mode" = linux ]; then
  cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
  echo "-- installed into $scratch/prefix:"
  (cd "$scratch/prefix" && find . -type f -o -type l | sort | sed 's/^/    /')

  echo "-- every installed header compiles on its own and after <X11/Xlib.h> and <X11/Xmd.h>," \
    "with only the prefix's include folder on the path"
  x11=$'#include <X11/Xlib.h>\n#include <X11/Xmd.h>'
  for header in $(cd "$scratch/prefix/include" && find tooltray -name '*.h' | sort); do
    for before in "" "$x11"; do
      printf '%s\n#include <%s>\n' "$before" "$header" |
        c++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -I "$scratch/prefix/include" -x c++ - || {
        echo "$header does not compile${before:+ after the X11 headers}"
        exit 1
      }
    done
  done

  echo "-- pkg-config and the CMake targets name the prefix's include folder and no other"
  pc=$(find "$scratch/prefix" -name tooltray.pc | head -n 1)
  for flag in $(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags-only-I tooltray); do
    [ "$(realpath -m "${flag#-I}")" = "$(realpath -m "$scratch/prefix/include")" ] || {
      echo "pkg-config --cflags tooltray names $flag"
      exit 1
    }
  done
  if grep -h INTERFACE_INCLUDE_DIRECTORIES "$(dirname "$(find "$scratch/prefix" -name ToolTrayConfig.cmake)")"/*.cmake |
       grep -v '"${_IMPORT_PREFIX}/include"$'; then
    echo "the CMake targets name the include folders above"
    exit 1
  fi

  echo "-- no installed header declares a test hook"
  if grep -rlE "ForTesting|ResolveParentMethodCalls|SetRecorder|GuardsIntact" \
       "$scratch/prefix/include"; then
    echo "the headers above declare test hooks, which only test builds have"
    exit 1
  fi

  consume() { # name, run-environment, cmake args...
    local name=$1 env=$2
    shift 2
    cmake -S $example -B "$scratch/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@" | grep "ToolTray" | sed 's/^/    /'
    cmake --build "$scratch/$name" >/dev/null
    echo "-- $name: run"
    check_output "$(env $env "$scratch/$name/tooltray-minimal-host" "$scratch/$name/out.png")"
  }
  echo "-- find_package(ToolTray)"
  consume find-package "" -DCMAKE_PREFIX_PATH="$scratch/prefix"
  echo "-- pkg-config"
  # The libraries' folder, lib/<multiarch tuple> on Debian: where tooltray.pc was installed.
  libdir=$(dirname "$(dirname "$(find "$scratch/prefix" -name tooltray.pc)")")
  PKG_CONFIG_PATH="$libdir/pkgconfig" PKG_CONFIG_LIBDIR=/dev/null \
    consume pkg-config "LD_LIBRARY_PATH=$libdir" -DTOOLTRAY_USE_PKG_CONFIG=ON

  echo "-- Debian packages"
  (cd "$build" && cpack -G DEB >/dev/null)
  for deb in "$build"/packages/*.deb; do
    echo "    $(basename "$deb") $(stat -c %s "$deb") bytes: $(dpkg-deb -f "$deb" Depends)"
    dpkg -x "$deb" "$scratch/deb"
  done
  echo "-- against the unpacked .deb"
  consume deb "" -DCMAKE_PREFIX_PATH="$scratch/deb/usr"
elif [ "$mode" = windows ]; then
  wine=${WINE:-/usr/lib/wine/wine64}
  toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")
  cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
  echo "-- installed into $scratch/prefix:"
  (cd "$scratch/prefix" && find . -type f | sort | sed 's/^/    /')
  rm -f "$build"/packages/*.zip
  (cd "$build" && cpack -G ZIP >/dev/null)
  zips=("$build"/packages/*.zip)
  [ ${#zips[@]} = 1 ] && [ -f "${zips[0]}" ] || { echo "cpack made no single zip"; exit 1; }
  echo "    $(basename "${zips[0]}") $(stat -c %s "${zips[0]}") bytes:"
  cmake -E tar tf "${zips[0]}" | grep -v '/$' | sed 's/^/      /'
  # The example is built against the zip as a user gets it, unpacked anywhere.
  (cd "$scratch" && cmake -E tar xf "${zips[0]}" && mv "$(basename "${zips[0]}" .zip)" zip)
  echo "-- mingw-w64 build of the example ($(basename "$toolchain" .cmake)) against the unpacked zip"
  cmake -S $example -B "$scratch/example" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DToolTray_DIR="$scratch/zip/lib/cmake/ToolTray" | grep "ToolTray" | sed 's/^/    /'
  cmake --build "$scratch/example" >/dev/null
  echo "-- run under $(basename "$wine")"
  prefix=$build/wineprefix # the build's own, already made by its tests
  trap 'WINEPREFIX=$prefix "$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT
  check_output "$(cmake/wine-run.sh "$wine" "$prefix" "$scratch/example/tooltray-minimal-host.exe" \
    "Z:$scratch/example/out.png")"
else
  echo "usage: consumers.sh linux|windows <build-dir>" >&2
  exit 2
fi
