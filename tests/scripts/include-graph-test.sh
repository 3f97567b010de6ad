#!/usr/bin/env bash
# The include graph check on small trees written here: a tree whose folders
# include only downward passes and shows its arrows; an upward include and a
# sideways one between the top folders fail, each named by file and line.
set -euo pipefail
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

tree() {
    rm -rf "$work/tree" && mkdir -p "$work/tree"/{base,controls/memo,job,bench,tests}
    echo '#pragma once' > "$work/tree/base/Color.h"
    printf '#include "base/Color.h"\n' > "$work/tree/controls/memo/Model.h"
    printf '#include "Model.h"\n#include <vector>\n' > "$work/tree/controls/memo/Model.cpp"
    printf '#include "controls/memo/Model.h"\n#include "base/Color.h"\n' > "$work/tree/job/Job.h"
    printf '#include "job/Job.h"\n' > "$work/tree/tests/JobTest.cpp"
}

tree
if ! "$check" "$work/tree" > "$work/out" 2> "$work/err"; then
    fail "a downward tree failed: $(cat "$work/err")"
fi
expected=$'controls -> base (1)\njob -> base (1)\njob -> controls (1)\ntests -> job (1)'
[ "$(cat "$work/out")" = "$expected" ] || fail "graph of the downward tree: $(cat "$work/out")"

# file, its include, the line the check must report
while IFS='|' read -r file include reported; do
    tree
    printf '// first line\n#include "%s"\n' "$include" > "$work/tree/$file"
    if "$check" "$work/tree" > /dev/null 2> "$work/err"; then
        fail "$file including $include passed"
    elif ! grep -qF "$reported" "$work/err"; then
        fail "$file including $include: no \"$reported\" in: $(cat "$work/err")"
    fi
done <<'CASES'
controls/memo/Keys.h|job/Job.h|upward: controls/memo/Keys.h:2: includes "job/Job.h": job is not below controls
base/Keys.h|controls/memo/Model.h|upward: base/Keys.h:2: includes "controls/memo/Model.h"
bench/JobBench.cpp|tests/Fixture.h|upward: bench/JobBench.cpp:2: includes "tests/Fixture.h": tests is not below bench
CASES

exit $((failures > 0))
