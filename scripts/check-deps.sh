#!/usr/bin/env bash
# Checks that a fresh machine gets everything this build found: every package config, library and
# program in the build tree's CMakeCache.txt must come from a Debian package that
# scripts/install-deps.sh installs, or from one of their dependencies, or from an essential package.
# A build that works only because a package happened to be installed already fails here, naming it.
#
# Usage: check-deps.sh BUILD_DIR [INSTALL_SCRIPT]
#   INSTALL_SCRIPT: the script whose package list is checked (default scripts/install-deps.sh).
# Exit status: 0 all found files are accounted for, 1 something is not, 2 usage.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build_dir=${1:?usage: check-deps.sh BUILD_DIR [INSTALL_SCRIPT]}
install_script=${2:-$here/install-deps.sh}
cache=$build_dir/CMakeCache.txt
[ -f "$cache" ] || { echo "check-deps: no $cache: configure first" >&2; exit 2; }
[ -f "$install_script" ] || { echo "check-deps: no $install_script" >&2; exit 2; }

# The packages the install script names: the words of its packages=( ... ) array.
mapfile -t listed < <(sed -n '/^packages=(/,/^)/p' "$install_script" | sed -e 's/#.*//' -e 's/packages=(//' -e 's/)//' |
                      tr -s ' \t' '\n' | sed '/^$/d')
[ ${#listed[@]} -gt 0 ] || { echo "check-deps: no packages=( ... ) list in $install_script" >&2; exit 2; }

# What installing them brings: the installed dependency closure (virtual packages by their providers),
# and the essential packages every Debian machine has.
allowed=$(mktemp)
trap 'rm -f "$allowed"' EXIT
{
  printf '%s\n' "${listed[@]}"
  apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${listed[@]}" 2>/dev/null |
    sed -n -e 's/^\([^ <][^ ]*\)$/\1/p' -e 's/^    \([^ <][^ ]*\)$/\1/p'
  dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" { print $1 }'
} | sed 's/:.*//' | sort -u >"$allowed"

source_dir=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
build_abs=$(cd "$build_dir" && pwd)

# The files to account for, as "KEY<TAB>PATH": programs and libraries (FILEPATH), package configs
# (*_DIR: the config file inside), CMake's own commands, and the programs the tests run
# (VELDRAN_PROGRAM_*, which must also have been found).
entries=$(mktemp)
trap 'rm -f "$allowed" "$entries"' EXIT
status=0
while IFS= read -r line; do
  key=${line%%:*}
  value=${line#*=}
  case "$line" in
    VELDRAN_PROGRAM_*-NOTFOUND)
      echo "check-deps: the tests run ${key#VELDRAN_PROGRAM_}, which is not installed: add its package to $(basename "$install_script")" >&2
      status=1; continue ;;
    *-NOTFOUND | *:STRING=* | *:BOOL=* | *:STATIC=* | *:UNINITIALIZED=*) continue ;;
    *_COMMAND:INTERNAL=/*) ;;
    *:INTERNAL=*) continue ;;
  esac
  [ "${value#/}" != "$value" ] || continue
  IFS=';' read -r -a paths <<<"$value"
  for path in "${paths[@]}"; do
    case "$path" in
      "$source_dir"/* | "$build_abs"/* | /usr/local | /usr/local/*) continue ;;
    esac
    if [ -d "$path" ]; then
      # A package config folder stands for its config file: the folder itself may be shared.
      config=$(find "$path" -maxdepth 1 \( -name '*Config.cmake' -o -name '*-config.cmake' \) -print -quit)
      [ -n "$config" ] && path=$config
    fi
    [ -e "$path" ] && printf '%s\t%s\n' "$key" "$path"
  done
done < <(grep -E '^[A-Za-z0-9_.+-]+:[A-Z]+=' "$cache") >"$entries"

# dpkg knows a file by the path its package shipped: the name as found, the file a link leads to, or
# the name before /usr was merged (/lib for /usr/lib).
candidates() {
  local path=$1 real
  real=$(readlink -f "$path")
  printf '%s\n' "$path" "$real"
  for p in "$path" "$real"; do
    case "$p" in /usr/lib/* | /usr/bin/* | /usr/sbin/*) printf '%s\n' "${p#/usr}" ;; esac
  done
}

# One dpkg call for every name: "pkg1, pkg2: /path" lines.
owners=$(cut -f2 "$entries" | while read -r p; do candidates "$p"; done | sort -u |
         xargs -r -d '\n' dpkg -S 2>/dev/null | grep -v '^diversion by' || true)

owners_of() {
  local p
  for p in $(candidates "$1"); do
    local found
    found=$(awk -v p="$p" 'index($0, ": " p) && substr($0, index($0, ": ") + 2) == p { sub(/: .*/, ""); print }' <<<"$owners" |
            tr ',' '\n' | sed -e 's/^ *//' -e 's/:.*//' | sort -u)
    if [ -n "$found" ]; then
      printf '%s\n' "$found"
      return
    fi
  done
}

while IFS=$'\t' read -r key path; do
  pkgs=$(owners_of "$path")
  if [ -z "$pkgs" ]; then
    echo "check-deps: $path (CMake's $key) belongs to no Debian package: a fresh machine will not have it" >&2
    status=1
    continue
  fi
  if ! grep -qxF -f <(printf '%s\n' "$pkgs") "$allowed"; then
    echo "check-deps: $path (CMake's $key) comes from $(echo $pkgs | sed 's/ / or /g'), which $(basename "$install_script") neither installs nor pulls in: add it to the list" >&2
    status=1
  fi
done <"$entries"

[ $status -eq 0 ] && echo "check-deps: every package the build found is installed by $(basename "$install_script") ($(wc -l <"$entries") files)"
exit $status
