#!/bin/bash
# The rules the program's structure keeps, checked on its sources:
#  - a folder includes headers of its own layer or of layers below it, never above;
#  - no nested event loop (processEvents) in production code;
#  - a file is replaced through rename() in one production file only, the file writer;
#  - the view is a drawing front: at most 30 methods, no public data members.
# Usage: check-architecture.sh SOURCE_DIR
set -u
src=${1:?usage: check-architecture.sh SOURCE_DIR}
cd "$src" || exit 2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Lowest layer first; the programs without a window stand on the libraries and on nothing else.
layers=(resources i18n files document analysis annotations decode export picture print/bitmap link/serial controls session link print view decodedock app)
programs=(sim capture convert analyze)
rank_of() {
    local folder=$1 i
    for i in "${!layers[@]}"; do
        [[ ${layers[$i]} == "$folder" ]] && { echo "$i"; return; }
    done
    echo -1
}
# The layer a header belongs to: its longest folder that is a layer.
layer_of_header() {
    local path=$1
    case $path in
        print/bitmap/*) echo print/bitmap ;;
        link/serial/*) echo link/serial ;;
        */*) echo "${path%%/*}" ;;
        *) echo "" ;;
    esac
}

production_files() { find "$@" -name '*.cpp' -o -name '*.h' 2>/dev/null; }

for folder in "${layers[@]}" "${programs[@]}"; do
    own=$(rank_of "$folder")
    [[ $own -lt 0 ]] && own=${#layers[@]} # a program may include any library
    while IFS= read -r file; do
        # A folder's files, not those of a layer below it (print/ holds print/bitmap/).
        [[ $(layer_of_header "$file") == "$folder" || $own -eq ${#layers[@]} ]] || continue
        while IFS= read -r header; do
            layer=$(layer_of_header "$header")
            rank=$(rank_of "$layer")
            [[ $rank -lt 0 ]] && continue # the program's own folder, generated headers
            [[ $rank -gt $own ]] && fail "$file includes $header, a layer above $folder"
        done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
    done < <(production_files "$folder")
done

all_production=$(production_files "${layers[@]}" "${programs[@]}")
# shellcheck disable=SC2086
if grep -l 'processEvents' $all_production >/dev/null; then
    fail "a nested event loop in: $(grep -l 'processEvents' $all_production | tr '\n' ' ')"
fi
# shellcheck disable=SC2086
renaming=$(grep -lE '(^|[^A-Za-z_])(std::|::)?rename(at2?)?[[:space:]]*\(' $all_production | sort)
[[ $renaming == files/FileWriter.cpp ]] || fail "files replaced through rename() in: ${renaming//$'\n'/ } (only files/FileWriter.cpp may)"

# The view class: its methods, and data members in its public part (at the class body's depth).
read -r methods public_data < <(awk '
    /^class CVELDRANView / { inside = 1; depth = 0 }
    inside {
        line = $0
        sub(/\/\/.*/, "", line)
        if (depth == 1) {
            if (line ~ /^[[:space:]]*public:/) section = "public"
            else if (line ~ /^[[:space:]]*(private|protected)( slots)?:/ || line ~ /^[[:space:]]*signals:/) section = "other"
            else if (line ~ /^[[:space:]]*(Q_OBJECT|friend|using|static constexpr|enum)/) { }
            else if (line ~ /[A-Za-z_~][A-Za-z0-9_]*[[:space:]]*\(/ && (index(line, "=") == 0 || index(line, "(") < index(line, "="))) methods++
            else if (section == "public" && line ~ /;[[:space:]]*$/) data++
        }
        opened = gsub(/{/, "{", line); closed = gsub(/}/, "}", line)
        depth += opened - closed
        if (depth == 0 && closed > 0) { inside = 0 }
    }
    END { print methods + 0, data + 0 }' view/VeldranView.h)
[[ $methods -le 30 ]] || fail "the view class has $methods methods (at most 30)"
[[ $public_data -eq 0 ]] || fail "the view class has $public_data public data members"
echo "view class: $methods methods, $public_data public data members"

[[ $failures -eq 0 ]] && echo "architecture: all rules kept"
exit $((failures > 0))
