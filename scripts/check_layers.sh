#!/usr/bin/env bash
# Checks the include rules the build cannot see:
# - only platform/ and tests/ include SDL, OpenGL or OpenAL headers, or a
#   platform header that includes one or names one of their types (directly
#   or through other platform headers);
# - engine/core includes no other folder of engine/;
# - no folder of engine/ but engine/app includes engine/app;
# - game/level (the static scene) includes nothing of game/objects, which
#   may include it;
# - no game window casts its way to a concrete class (dynamic_cast).
# Prints every offending include and fails when there is one.
# Usage: scripts/check_layers.sh [root]   (default: the repository)
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

SYSTEM_HEADER='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL2/|SDL[._]|GL/|AL/)'
# Lines that are comments do not count: they may name a call they explain.
SYSTEM_TYPE='^[[:space:]]*[^/[:space:]].*\b(SDL_[A-Za-z]|GL(enum|uint|int|sizei|float|boolean|bitfield|void)\b|ALC?(enum|uint|int|sizei|float|boolean|void|device|context)\b)'

list_sources() {
    local files file
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        mapfile -t files < <(git ls-files --cached --others --exclude-standard)
    else
        mapfile -t files < <(find . -mindepth 1 \( -name 'build*' -o -name '.*' \) -prune -o -type f -printf '%P\n')
    fi
    for file in "${files[@]}"; do
        [[ $file =~ \.(h|hpp|inl|c|cc|cpp)$ && -f $file ]] && echo "$file"
    done | sort -u
}

mapfile -t sources < <(list_sources)
failed=0

# The sources whose paths match the first pattern and not the second. Bash's
# own matching: starting a process costs more than the whole check.
select_sources() {
    local file
    for file in "${sources[@]}"; do
        [[ $file =~ $1 ]] && ! [[ -n ${2:-} && $file =~ $2 ]] && echo "$file"
    done
    return 0
}

report() {
    echo "check_layers: $1"
    failed=1
}

# Lines "file:line:text" of the sources that include the given quoted path
# pattern (an extended regular expression).
includes_of() {
    local pattern=$1
    shift
    (($# == 0)) && return 0
    grep -HnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($pattern)\"" "$@" || true
}

# The platform headers that bring the system libraries' declarations along:
# those that include or name them, then those that include such a header.
mapfile -t platform_headers < <(select_sources '^platform/.*\.(h|hpp|inl)$')
declare -A facing=()
# Who includes which platform header, as "header included" pairs.
declare -a edges=()
if ((${#platform_headers[@]})); then
    while IFS= read -r header; do
        facing[$header]=1
    done < <(grep -lE -e "$SYSTEM_HEADER" -e "$SYSTEM_TYPE" "${platform_headers[@]}" || true)
    while IFS= read -r line; do
        included=${line#*\"}
        edges+=("${line%%:*} ${included%\"*}")
    done < <(grep -HE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"platform/[^"]+"' "${platform_headers[@]}" || true)
fi
changed=1
while ((changed)); do
    changed=0
    for edge in "${edges[@]}"; do
        header=${edge% *}
        if [[ -z "${facing[$header]:-}" && -n "${facing[${edge#* }]:-}" ]]; then
            facing[$header]=1
            changed=1
        fi
    done
done

mapfile -t outside < <(select_sources . '^(platform|tests)/')
if ((${#outside[@]})); then
    while IFS= read -r line; do
        [[ -n "$line" ]] && report "system library header outside platform/ and tests/: $line"
    done < <(grep -HnE "$SYSTEM_HEADER" "${outside[@]}" || true)
    if ((${#facing[@]})); then
        facing_pattern=$(printf '%s\n' "${!facing[@]}" | sed 's/[.]/[.]/g' | paste -sd'|')
        while IFS= read -r line; do
            [[ -n "$line" ]] && report "platform header that shows a system library, outside platform/ and tests/: $line"
        done < <(includes_of "$facing_pattern" "${outside[@]}")
    fi
fi

mapfile -t core < <(select_sources '^engine/core/')
while IFS= read -r line; do
    [[ -n "$line" ]] && report "engine/core includes another engine folder: $line"
done < <(includes_of 'engine/[^"/]+/[^"]*' "${core[@]}" | grep -vE '"engine/core/' || true)

mapfile -t subsystems < <(select_sources '^engine/' '^engine/app/')
while IFS= read -r line; do
    [[ -n "$line" ]] && report "engine folder below engine/app includes it: $line"
done < <(includes_of 'engine/app/[^"]*' "${subsystems[@]}")

mapfile -t scene < <(select_sources '^game/level/')
while IFS= read -r line; do
    [[ -n "$line" ]] && report "game/level includes game/objects: $line"
done < <(includes_of 'game/objects/[^"]*' "${scene[@]}")

mapfile -t windows < <(select_sources '^game/windows/')
if ((${#windows[@]})); then
    while IFS= read -r line; do
        [[ -n "$line" ]] && report "a game window casts to a concrete class: $line"
    done < <(grep -HnE '^[[:space:]]*[^/[:space:]].*\bdynamic_cast\b' "${windows[@]}" || true)
fi

if ((failed)); then
    echo "check_layers: failed"
    exit 1
fi
echo "check_layers: the layers keep to their floors"
