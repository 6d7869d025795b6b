#!/usr/bin/env bash
# zorvan.exe: the 64-bit build runs under wine; the 32-bit build, which this kernel cannot run,
# is inspected as a file. Exit status 77 tells CTest that the test was skipped, and why.
# Usage: windows_test.sh run64 ZORVAN64.EXE WINEPREFIX | windows_test.sh inspect32 ZORVAN32.EXE
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
finish() {
    ((failures == 0)) || { echo "$failures check(s) failed"; exit 1; }
    echo "all checks passed"
    exit 0
}

if [[ $1 == inspect32 ]]; then
    exe=$2
    objdump=i686-w64-mingw32-objdump
    command -v $objdump >/dev/null || { echo "SKIPPED: $objdump is missing (binutils-mingw-w64-i686)"; exit 77; }
    $objdump -f "$exe" | grep -q 'file format pei-i386' || fail "not a PE32 (pei-i386) file: $($objdump -f "$exe")"
    headers=$($objdump -p "$exe")
    grep -q $'Subsystem\t\t00000003\t(Windows CUI)' <<<"$headers" || fail "not a console program"
    dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | sort | tr '\n' ' ')
    [[ $dlls == "KERNEL32.dll msvcrt.dll " ]] || fail "imports from $dlls, not KERNEL32.dll and msvcrt.dll only"
    grep -q 'GlobalMemoryStatusEx' <<<"$headers" || fail "GlobalMemoryStatusEx is not imported"
    echo "32-bit zorvan.exe: pei-i386, console, imports from $dlls(it cannot run on this kernel)"
    finish
fi

exe=$2
export WINEPREFIX=$3 WINEDEBUG=-all
command -v wine >/dev/null || { echo "SKIPPED: wine is missing (apt-get install wine64)"; exit 77; }
run() { wine "$exe" "$@" 2>/dev/null; }

# The first run in a new prefix sets the prefix up; its screen counts like any other.
out=$(run /m; echo "status $?")
[[ $out == *$'\nstatus 0' ]] || fail "zorvan.exe /m: ${out##*$'\n'}"
out=${out%$'\n'status *}
mapfile -t lines <<<"$out"
[[ ${#lines[@]} == 5 ]] || { fail "zorvan.exe /m: ${#lines[@]} lines: $out"; finish; }
[[ ${lines[0]} == $'\r' && ${lines[1]} == $'Zorvantikelbrume Ver0.02 By Quenthask\r' &&
   ${lines[2]} == $'-------------------------------------\r' ]] || fail "plain screen head: $(od -c <<<"$out" | head)"
[[ ${lines[3]} =~ ^TotalPhysicalMemory\ :\ *([0-9,]+)\ Byte$'\r'$ ]] || fail "total line: ${lines[3]}"
total=${BASH_REMATCH[1]//,/}
[[ ${lines[4]} =~ ^TotalAvailableMemory:\ *[0-9]{1,3}(,[0-9]{3})*\ Byte$'\r'$ ]] || fail "available line: ${lines[4]}"
mem_total=$(( $(awk '$1 == "MemTotal:" { print $2 }' /proc/meminfo) * 1024 ))
difference=$((total > mem_total ? total - mem_total : mem_total - total))
((difference <= 8 * 1024 * 1024)) || fail "total $total is not within 8 MiB of MemTotal $mem_total"

# Colour: the escape sequences pass through the text-mode stream unchanged; only \n gains a \r.
out=$(run | od -An -c | tr -d ' \n')
[[ $out == '\r\n033[44;37mZorvantikelbrumeVer0.02ByQuenthask033[44;0m\r\n'*'TotalPhysicalMemory:033[36m'* ]] ||
    fail "colour screen: $out"

# Usage, byte for byte.
expected=$'\r\nZorvantikelbrume Ver0.02 By Quenthask\r\n-------------------------------------\r\n   ZORVAN [/m]\r\n\r\n    /m  : Display as Mono Color\r\nstatus 0'
out=$(run /?; echo "status $?")
[[ $out == "$expected" ]] || fail "usage screen: $(od -c <<<"$out")"

# A write error is reported on Windows too.
err=$(wine "$exe" /m 2>&1 >/dev/full); status=$?
((status == 1)) || fail "zorvan.exe /m >/dev/full: status $status"
[[ $err == "zorvan: write error: "* ]] || fail "zorvan.exe /m >/dev/full: '$err'"

echo "64-bit zorvan.exe under wine: total $total bytes (MemTotal $mem_total)"
finish
