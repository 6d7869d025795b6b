#!/usr/bin/env bash
# Start-to-exit cost of one zorvan run beside the floor of any process and beside free(1).
# Prints one Markdown table. Needs cc, cmake, valgrind, hyperfine and GNU time (/usr/bin/time).
# Usage: bench/run.sh [runs]   (hyperfine runs per command, 300 unless given)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-300}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in cc cmake valgrind hyperfine /usr/bin/time strip; do
    command -v "$tool" >/dev/null || { echo "bench: $tool is missing" >&2; exit 1; }
done

# The default Release build, in a tree of its own so that nothing else configured leaks in.
cmake -S . -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$work/build" --target zorvan >/dev/null
cmake -S . -B "$work/dynamic" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DZORVAN_STATIC=OFF >/dev/null
cmake --build "$work/dynamic" --target zorvan >/dev/null
cc -O2 -static -o "$work/floor" bench/floor.c

# Fresh copies: each binary starts from the same state of the page cache.
mkdir "$work/bin"
cp "$work/floor" "$work/build/zorvan" "$work/bin/"
cp "$(command -v free)" "$work/bin/free"
names=("floor" "zorvan /m" "zorvan" "free -b")
commands=("$work/bin/floor" "$work/bin/zorvan /m" "$work/bin/zorvan" "$work/bin/free -b")
if command -v busybox >/dev/null; then
    cp "$(command -v busybox)" "$work/bin/busybox"
    names+=("busybox free -b")
    commands+=("$work/bin/busybox free -b")
fi

# A static start-up walks every environment variable: count in the same empty one.
clean_env=(env -i PATH=/usr/bin:/bin)

instructions() { # command words...
    "${clean_env[@]}" valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$@" \
        2>&1 >/dev/null | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

peak_kib() { # median of 21 runs: the resident set moves by a page or two between runs
    for _ in $(seq 21); do
        "${clean_env[@]}" /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1
    done | sort -n | sed -n 11p
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
grouped() { printf "%s" "$1" | rev | sed 's/[0-9]\{3\}/&,/g; s/,$//' | rev; }

hyperfine_args=(-N --warmup 50 --runs "$runs" --export-csv "$work/times.csv")
for command in "${commands[@]}"; do hyperfine_args+=("$command"); done
"${clean_env[@]}" hyperfine "${hyperfine_args[@]}" >"$work/hyperfine.log" 2>&1 ||
    { cat "$work/hyperfine.log" >&2; exit 1; }
mapfile -t medians < <(awk -F, 'NR > 1 { print $4 }' "$work/times.csv")

strip -o "$work/zorvan.stripped" "$work/build/zorvan"
stripped_size=$(stat -c %s "$work/zorvan.stripped")

echo "| program | instructions | above floor | x floor | peak KiB | x floor | median wall | x floor |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
for i in "${!commands[@]}"; do
    read -r -a words <<<"${commands[$i]}"
    ir=$(instructions "${words[@]}")
    kib=$(peak_kib "${words[@]}")
    wall=${medians[$i]}
    if ((i == 0)); then floor_ir=$ir floor_kib=$kib floor_wall=$wall; fi
    printf '| %s | %s | %s | %s | %s | %s | %.0f µs | %s |\n' "${names[$i]}" "$(grouped "$ir")" \
        "$(grouped $((ir - floor_ir)))" "$(ratio "$ir" "$floor_ir")" "$(grouped "$kib")" \
        "$(ratio "$kib" "$floor_kib")" "$(awk -v s="$wall" 'BEGIN { print s * 1e6 }')" \
        "$(ratio "$wall" "$floor_wall")"
done
heap=$(valgrind "$work/dynamic/zorvan" /m 2>&1 >/dev/null | sed -n 's/.*total heap usage: //p')

echo
echo "Heap of a dynamically linked zorvan /m (valgrind): $heap"
echo "zorvan stripped: $(grouped "$stripped_size") bytes; hyperfine: $runs runs each after 50 warm-up runs."
