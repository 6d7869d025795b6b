#!/usr/bin/env bash
# End to end on the built binary: screens with the machine's own counts, exit statuses, write errors.
set -u
zorvan=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mem_total_kib=$(awk '$1 == "MemTotal:" { print $2 }' /proc/meminfo)
# printf's %'d groups only in a grouping locale: group by hand.
total=$(echo $((mem_total_kib * 1024)) | rev | sed 's/[0-9]\{3\}/&,/g; s/,$//' | rev)

available_line() { # the available line matches the field layout; the count moves between runs
    [[ $1 =~ ^TotalAvailableMemory:(.*)\ Byte$ ]] || return 1
    local field=${BASH_REMATCH[1]}
    [[ $field =~ ^\ *[0-9]{1,3}(,[0-9]{3})*$ ]] && ((${#field} >= 11))
}

# Plain screen for /m, and for anything whose last argument's second character is m.
for args in "/m" "-M" "/x /mono"; do
    # shellcheck disable=SC2086
    out=$("$zorvan" $args); status=$?
    ((status == 0)) || fail "zorvan $args: status $status"
    mapfile -t lines <<<"$out"
    [[ ${lines[0]} == "" && ${lines[1]} == "Zorvantikelbrume Ver0.02 By Quenthask" &&
       ${lines[2]} == "-------------------------------------" ]] || fail "zorvan $args: banner: $out"
    [[ ${lines[3]} == "$(printf 'TotalPhysicalMemory :%11s Byte' "$total")" ]] ||
        fail "zorvan $args: total line '${lines[3]}', MemTotal is $total"
    available_line "${lines[4]}" || fail "zorvan $args: available line '${lines[4]}'"
    ((${#lines[@]} == 5)) || fail "zorvan $args: ${#lines[@]} lines"
done

# Colour screen into a pipe: the escapes are written all the same.
out=$("$zorvan" | od -An -c | tr -d ' \n')
[[ $out == '\n033[44;37mZorvantikelbrume'* ]] || fail "colour screen into a pipe: $out"
out=$("$zorvan" /c | cat)
[[ $out == *$'TotalPhysicalMemory :\e[36m'"$(printf '%11s' "$total")"$'\e[0m Byte'* ]] ||
    fail "colour screen total: $out"

# Usage screen, byte for byte, with status 0, for a few switches.
for args in "/?" "m" "" "/m /x"; do
    # shellcheck disable=SC2086
    out=$("$zorvan" ${args:-""}; echo "status $?")
    expected=$'\nZorvantikelbrume Ver0.02 By Quenthask\n-------------------------------------\n   ZORVAN [/m]\n\n    /m  : Display as Mono Color\nstatus 0'
    [[ $out == "$expected" ]] || fail "zorvan '$args': usage screen: $out"
done

# Write errors: status 1 and exactly one line on standard error, for every screen.
for args in "" "/m" "/?"; do
    # shellcheck disable=SC2086
    err=$("$zorvan" $args 2>&1 >/dev/full); status=$?
    ((status == 1)) || fail "zorvan $args >/dev/full: status $status"
    [[ $err == "zorvan: write error: No space left on device" ]] || fail "zorvan $args >/dev/full: '$err'"
    # shellcheck disable=SC2086
    err=$("$zorvan" $args 2>&1 >&-); status=$?
    ((status == 1)) || fail "zorvan $args >&-: status $status"
    [[ $err == "zorvan: write error: Bad file descriptor" ]] || fail "zorvan $args >&-: '$err'"
done

# An ordinary run writes nothing to standard error.
err=$("$zorvan" /m 2>&1 >/dev/null); status=$?
[[ -z $err && $status == 0 ]] || fail "ordinary run: status $status, stderr '$err'"

if ((failures)); then
    echo "$failures end-to-end check(s) failed"
    exit 1
fi
echo "end-to-end checks passed"
