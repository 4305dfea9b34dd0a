#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang under build/fuzz and runs them,
# one after the other, from a corpus seeded on every run.
#
#   tools/fuzz.sh [TARGET|all] [SECONDS]   (default: all, 60 seconds a target)
#
# TARGET is stream_decoder, access_key or text_fit. A finding stops the run with a
# non-zero exit; the input that caused it is kept under build/fuzz/findings/.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/fuzz
all=(stream_decoder access_key text_fit)
which=${1:-all}
seconds=${2:-60}

if [[ $which == all ]]; then
    targets=("${all[@]}")
elif [[ " ${all[*]} " == *" $which "* ]]; then
    targets=("$which")
else
    echo "fuzz: unknown target '$which' (one of: ${all[*]}, all)" >&2
    exit 2
fi
command -v clang++ >/dev/null || {
    echo "fuzz: clang++ is missing (tools/bootstrap.sh installs it)" >&2
    exit 2
}

cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

# Seeds: saved controls for the stream, a few captions for the text routines
# (the text target's first four bytes are character width, offset and width).
seed() {
    local dir=$build/corpus/$1
    mkdir -p "$dir"
    case $1 in
    stream_decoder) "$build/stream_seed" "$dir" ;;
    access_key)
        printf '&File' >"$dir/file"
        printf 'A&&B' >"$dir/pair"
        printf 'Save && &Close &' >"$dir/mixed"
        printf '& x&' >"$dir/space"
        ;;
    text_fit)
        printf '\x06\x00\x28\x00Save As...' >"$dir/shorten"
        printf '\x06\x00\x05\x00abcd' >"$dir/short"
        printf '\x01\x00\xff\xffkeep' >"$dir/negative"
        ;;
    esac
}

mkdir -p "$build/findings"
for target in "${targets[@]}"; do
    seed "$target"
    echo "fuzz: $target for ${seconds}s"
    dict=()
    if [[ -f $root/fuzz/$target.dict ]]; then
        dict=(-dict="$root/fuzz/$target.dict")
    fi
    "$build/$target" "${dict[@]}" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" "$build/corpus/$target" \
        2>"$build/$target.log" || {
        tail -n 40 "$build/$target.log" >&2
        exit 1
    }
    grep -E '^stat::number_of_executed_units|^Done ' "$build/$target.log" || true
done
