#!/usr/bin/env bash
# The CPU cost of one check in instructions, which other programs on a busy machine do not
# disturb as they disturb time: `glinter --check` and `curl --parallel` on the same addresses,
# each under callgrind, against the benchmark's fake internet (answers at once) with FEWER and
# then MORE feeds. The difference divided by the difference in feeds is what one more check
# costs, without either program's start-up.
#
# Under callgrind a program runs some fifty times slower: much larger refreshes would run into
# the 12 s limit of their requests.
#
#   bench/instructions.sh BUILD_DIR [FEWER] [MORE]     (defaults: 10 and 30 feeds)
set -euo pipefail
build=$1
fewer=${2:-10}
more=${3:-30}
work=$(mktemp -d)
server=
# The server runs in a session of its own, so that its feed server goes with it.
trap '[ -n "$server" ] && kill -- -$server 2>/dev/null; rm -rf "$work"' EXIT

# Instructions of a whole run, every thread and child of it.
instructions() {
    valgrind --tool=callgrind --trace-children=yes --callgrind-out-file="$work/callgrind.%p" "$@" \
        > /dev/null 2> "$work/valgrind.log" || true
    local total=0
    for file in "$work"/callgrind.*; do
        total=$((total + $(sed -n 's/^summary: //p' "$file")))
    done
    rm -f "$work"/callgrind.*
    echo "$total"
}

# Valgrind 3.19 gives up on clang's DWARF 5: measure a copy without debug information.
glinter=$work/glinter
objcopy --strip-debug "$build/src/app/glinter" "$glinter"

declare -A counted
for n in "$fewer" "$more"; do
    setsid "$build/bench/glinter-bench-refresh" --serve --feeds "$n" --latency 0 > "$work/serve" 2>&1 &
    server=$!
    until [ "$(grep -c -v '^request' "$work/serve")" -ge 2 ]; do sleep 0.2; done
    check=$(grep -v '^request' "$work/serve" | sed -n 1p)
    read -r -a fetch <<< "$(grep -v '^request' "$work/serve" | sed -n 2p)"
    origin=$(sed 's/.*GLINTER_FEED_ORIGIN=\([^ ]*\).*/\1/' <<< "$check")
    ca=$(sed 's/.*GLINTER_EXTRA_CA_CERTS=\([^ ]*\).*/\1/' <<< "$check")
    services=${check##* }
    counted[glinter,$n]=$(GLINTER_FEED_ORIGIN=$origin GLINTER_EXTRA_CA_CERTS=$ca \
        instructions "$glinter" --check --json --services "$services")
    counted[curl-cli,$n]=$(instructions "${fetch[@]}")
    kill -- -$server
    wait $server 2>/dev/null || true
    server=
done

printf '%-16s %16s %16s %18s\n' "" "$fewer feeds" "$more feeds" "per check"
for who in curl-cli glinter; do
    a=${counted[$who,$fewer]}
    b=${counted[$who,$more]}
    printf '%-16s %16d %16d %18d\n' "$who" "$a" "$b" $(((b - a) / (more - fewer)))
done
