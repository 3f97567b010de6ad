#!/usr/bin/env bash
# Shows the include graph between the source folders (each arrow with the
# number of #include lines behind it) and fails when a folder includes a
# folder above it, naming each such line. The layers, bottom first:
#
#   base < controls < job < spelling < app < cli < testing < bench | fuzz | tests
#
# A folder includes itself and the folders below it, nothing else. cli stands
# above app because `kalmo` shares app's Qt-free parts (the layouts, the menu
# table, the version record); bench, fuzz and tests never include each other.
# Usage: scripts/include-graph.sh [SOURCE_ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

layers="base:0 controls:1 job:2 spelling:3 app:4 cli:5 testing:6 bench:7 fuzz:7 tests:7"
folders=()
for layer in $layers; do
    [ -d "${layer%%:*}" ] && folders+=("${layer%%:*}")
done
if [ ${#folders[@]} -eq 0 ]; then
    echo "include-graph: no source folders under $root" >&2
    exit 2
fi

# file:line:#include "path" for every quoted include of a source file.
grep -rnH --include='*.h' --include='*.cpp' -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${folders[@]}" \
    | awk -v layers="$layers" '
    BEGIN {
        count = split(layers, pairs, " ")
        for (i = 1; i <= count; ++i) {
            split(pairs[i], pair, ":")
            level[pair[1]] = pair[2]
        }
    }
    {
        split($0, parts, ":")
        file = parts[1]
        line = parts[2]
        match($0, /"[^"]*"/)
        included = substr($0, RSTART + 1, RLENGTH - 2)
        from = file
        sub(/\/.*/, "", from)
        to = included
        # A name without a folder is beside the including file.
        if (index(to, "/") == 0)
            next
        sub(/\/.*/, "", to)
        if (!(to in level))
            next
        if (from != to) {
            edges[from " -> " to]++
            if (level[to] >= level[from])
                upward[++upwards] = file ":" line ": includes \"" included "\": " to " is not below " from
        }
    }
    END {
        for (edge in edges)
            print edge " (" edges[edge] ")" | "sort"
        close("sort")
        for (i = 1; i <= upwards; ++i)
            print "upward: " upward[i] > "/dev/stderr"
        if (upwards > 0) {
            print upwards " include(s) point up or sideways" > "/dev/stderr"
            exit 1
        }
    }'
