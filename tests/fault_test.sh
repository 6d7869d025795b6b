#!/usr/bin/env bash
# /proc/meminfo replaced by bad texts in a private mount namespace: zorvan falls back to the
# kernel's own figures and still exits 0. Needs root for unshare -m and mount --bind.
set -u
zorvan=$1
if ((EUID != 0)) || ! unshare -m true 2>/dev/null; then
    echo "SKIPPED: replacing /proc/meminfo needs root and unshare -m"
    exit 77
fi
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

real_total=$(( $(awk '$1 == "MemTotal:" { print $2 }' /proc/meminfo) * 1024 ))

# zorvan /m with the given text as /proc/meminfo; prints "total available status".
with_meminfo() { # text
    printf '%s' "$1" >"$work/meminfo"
    local out status
    out=$(unshare -m sh -c 'mount --bind "$1" /proc/meminfo && exec "$2" /m' sh "$work/meminfo" "$zorvan" 2>"$work/err")
    status=$?
    [[ -s $work/err ]] && fail "standard error: $(cat "$work/err")"
    local total=${out#*TotalPhysicalMemory :} available=${out#*TotalAvailableMemory:}
    total=${total%% Byte*} available=${available%% Byte*}
    total=${total//[ ,]/} available=${available//[ ,]/}
    echo "$total $available $status"
}

# Texts that cannot be trusted: both counts come from sysinfo(2), the total equal to MemTotal.
declare -A untrusted=(
    [empty]=""
    [garbage]=$'\x7fELF\x02\x01\x01\xff\xfe:::\n\x01\x02 kB kB\n'
    [overflowing_total]=$'MemTotal:       18014398509481984 kB\nMemFree: 1 kB\nMemAvailable:   1 kB\n'
    [negative_figure]=$'MemTotal:       -24683676 kB\nMemFree: 1 kB\nMemAvailable:   1 kB\n'
    [negative_available]=$'MemTotal:       1024 kB\nMemFree: 1 kB\nMemAvailable:   -1 kB\n'
    [no_mem_total]=$'MemFree:         1 kB\nMemAvailable:    1 kB\n'
)
for name in "${!untrusted[@]}"; do
    read -r total available status < <(with_meminfo "${untrusted[$name]}")
    ((status == 0)) || fail "$name: status $status"
    [[ $total == "$real_total" ]] || fail "$name: total $total, the kernel's is $real_total"
    [[ $available =~ ^[0-9]+$ ]] && ((available > 0 && available <= real_total)) ||
        fail "$name: available '$available' of $real_total"
done

# /proc/meminfo that cannot be opened: a file of mode 000 over it, and zorvan run as nobody, a
# copy of it in the work directory where nobody can reach it. sysinfo gives both counts.
printf 'MemTotal: 1 kB\nMemAvailable: 1 kB\n' >"$work/unreadable"
chmod 000 "$work/unreadable"
chmod 755 "$work"
cp "$zorvan" "$work/zorvan"
out=$(unshare -m sh -c 'mount --bind "$1" /proc/meminfo &&
    exec setpriv --reuid=65534 --regid=65534 --clear-groups "$2" /m' sh "$work/unreadable" "$work/zorvan" 2>&1)
status=$?
((status == 0)) || fail "unreadable: status $status: $out"
total=${out#*TotalPhysicalMemory :}; total=${total%% Byte*}; total=${total//[ ,]/}
[[ $total == "$real_total" ]] || fail "unreadable: total $total, the kernel's is $real_total"

# A kernel without MemAvailable: the estimate from the text's own figures.
read -r total available status < <(with_meminfo $'MemTotal:        2048000 kB\nMemFree:          100000 kB\nBuffers:           20000 kB\nCached:           300000 kB\nShmem:             50000 kB\nSReclaimable:      40000 kB\n')
((status == 0)) || fail "no MemAvailable: status $status"
[[ $total == $((2048000 * 1024)) && $available == $(((100000 + 20000 + 300000 + 40000 - 50000) * 1024)) ]] ||
    fail "no MemAvailable: total $total, available $available"

if ((failures)); then
    echo "$failures fault check(s) failed"
    exit 1
fi
echo "fault checks passed: ${#untrusted[@]} untrusted texts and an unreadable one fell back to sysinfo, the estimate held"
