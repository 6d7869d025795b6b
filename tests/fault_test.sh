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

# zorvan /m with FILE bound over /proc/meminfo, started by the command words given (zorvan itself
# when none are); prints "total available status stderr-bytes". It runs in a subshell, so it
# reports rather than calls fail.
counts_with() { # file [command words...]
    local file=$1 out status
    shift
    out=$(unshare -m sh -c 'file=$1; shift; mount --bind "$file" /proc/meminfo && exec "$@" /m' \
        sh "$file" "${@:-$zorvan}" 2>"$work/err")
    status=$?
    local total=${out#*TotalPhysicalMemory :} available=${out#*TotalAvailableMemory:}
    total=${total%% Byte*} available=${available%% Byte*}
    total=${total//[ ,]/} available=${available//[ ,]/}
    echo "$total $available $status $(wc -c <"$work/err")"
}

with_meminfo() { # text
    printf '%s' "$1" >"$work/meminfo"
    counts_with "$work/meminfo"
}

# Both counts from sysinfo(2): the total equal to MemTotal, the available count within it.
expect_sysinfo() { # name total available status stderr-bytes
    (($4 == 0)) || fail "$1: status $4"
    (($5 == 0)) || fail "$1: wrote to standard error: $(cat "$work/err")"
    [[ $2 == "$real_total" ]] || fail "$1: total $2, the kernel's is $real_total"
    [[ $3 =~ ^[0-9]+$ ]] && (($3 > 0 && $3 <= real_total)) || fail "$1: available '$3' of $real_total"
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
    read -r total available status errors < <(with_meminfo "${untrusted[$name]}")
    expect_sysinfo "$name" "$total" "$available" "$status" "$errors"
done

# /proc/meminfo that cannot be opened: a file of mode 000 over it, and zorvan run as nobody, a
# copy of it in the work directory where nobody can reach it. sysinfo gives both counts.
printf 'MemTotal: 1 kB\nMemAvailable: 1 kB\n' >"$work/unreadable"
chmod 000 "$work/unreadable"
chmod 755 "$work"
cp "$zorvan" "$work/zorvan"
read -r total available status errors < <(counts_with "$work/unreadable" \
    setpriv --reuid=65534 --regid=65534 --clear-groups "$work/zorvan")
expect_sysinfo unreadable "$total" "$available" "$status" "$errors"

# A kernel without MemAvailable: the estimate from the text's own figures.
read -r total available status errors < <(with_meminfo $'MemTotal:        2048000 kB\nMemFree:          100000 kB\nBuffers:           20000 kB\nCached:           300000 kB\nShmem:             50000 kB\nSReclaimable:      40000 kB\n')
((status == 0 && errors == 0)) || fail "no MemAvailable: status $status, standard error $errors bytes"
[[ $total == $((2048000 * 1024)) && $available == $(((100000 + 20000 + 300000 + 40000 - 50000) * 1024)) ]] ||
    fail "no MemAvailable: total $total, available $available"

if ((failures)); then
    echo "$failures fault check(s) failed"
    exit 1
fi
echo "fault checks passed: ${#untrusted[@]} untrusted texts and an unreadable one fell back to sysinfo, the estimate held"
