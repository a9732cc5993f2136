#!/usr/bin/env bash
# Checks that every CMake package a configured build tree loaded (and every
# library the project finds by path) comes from a Debian package that the install list
# brings in by itself, without Recommends. A machine that already has a package
# installed for another reason would otherwise hide a gap that a new machine hits.
#
#   scripts/check-deps.sh BUILD_DIR [PACKAGE_LIST]
set -euo pipefail
build_dir=${1:?usage: check-deps.sh BUILD_DIR [PACKAGE_LIST]}
list=${2:-"$(dirname "$0")/debian-packages.txt"}
cache="$build_dir/CMakeCache.txt"
[ -f "$cache" ] || { echo "check-deps: no $cache (configure first)" >&2; exit 2; }
[ -f "$list" ] || { echo "check-deps: no package list $list" >&2; exit 2; }

mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$list")
closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
            --no-breaks --no-replaces --no-enhances "${wanted[@]}" \
          | sed -n 's/^\([^ <][^ ]*\)$/\1/p' | sed 's/:.*//' | sort -u)

# Libraries the project looks up itself with find_library (optional ones that
# a found package probes for, such as GLU, are not needed).
src_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
own_libs=$(grep -rhoE 'find_library\([A-Za-z0-9_]+' --include=CMakeLists.txt "$src_dir" 2>/dev/null \
           | sed 's/find_library(//' | sort -u || true)

# "what needed it<TAB>file" for each CMake package config and each own library.
needs=$(
  sed -n 's/^\([A-Za-z0-9_.+-]*\)_DIR:PATH=\(\/.*\)$/\1\t\2/p' "$cache" |
  while IFS=$'\t' read -r name dir; do
    lower=$(echo "$name" | tr '[:upper:]' '[:lower:]')
    for f in "$dir/${name}Config.cmake" "$dir/${lower}-config.cmake"; do
      if [ -f "$f" ]; then printf 'CMake package %s\t%s\n' "$name" "$f"; break; fi
    done
  done
  sed -n 's/^\([A-Za-z0-9_]*_LIBRARY\):FILEPATH=\(\/.*\)$/\1\t\2/p' "$cache" |
  while IFS=$'\t' read -r name file; do
    if [ -f "$file" ] && grep -qx -- "$name" <<<"$own_libs"; then
      printf 'library %s\t%s\n' "$name" "$file"
    fi
  done
)

missing=0
checked=0
while IFS=$'\t' read -r what file; do
  [ -n "$file" ] || continue
  checked=$((checked + 1))
  real=$(readlink -f "$file")
  owner=$(dpkg -S "$file" 2>/dev/null || dpkg -S "$real" 2>/dev/null || true)
  owner=${owner%%: *}
  owner=${owner%%:*}
  if [ -z "$owner" ]; then
    echo "check-deps: $what ($file) belongs to no Debian package" >&2
    missing=1
    continue
  fi
  if ! grep -qx -- "$owner" <<<"$closure"; then
    echo "check-deps: $owner is not installed by $list; $what needs it ($file)" >&2
    missing=1
  fi
done <<<"$needs"

if [ "$missing" -ne 0 ]; then exit 1; fi
echo "check-deps: the $checked CMake packages and libraries of $build_dir all come from $list"
