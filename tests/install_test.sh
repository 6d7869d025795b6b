#!/usr/bin/env bash
# Installing and packaging: cmake --install into a temporary prefix, the manual page, the .deb
# (installed into and removed from a private dpkg root), and the zip of a Windows build.
# Exit status 77 tells CTest that the check was skipped, and why.
# Usage: install_test.sh install BUILD_DIR | manual MAN_PAGE | deb BUILD_DIR | zip WINDOWS_BUILD_DIR
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIPPED: $*"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $1 in
install)
    cmake --install "$2" --prefix "$work/prefix" >/dev/null || fail "cmake --install failed"
    [[ -x $work/prefix/bin/zorvan ]] || fail "no bin/zorvan"
    [[ -f $work/prefix/share/man/man1/zorvan.1 ]] || fail "no share/man/man1/zorvan.1"
    out=$("$work/prefix/bin/zorvan" /m); status=$?
    ((status == 0)) || fail "installed zorvan /m: status $status"
    [[ $out == $'\nZorvantikelbrume Ver0.02 By Quenthask\n'*'TotalAvailableMemory:'*' Byte' ]] ||
        fail "installed zorvan /m: $out"
    ;;
manual)
    command -v man >/dev/null || skip "man is missing (apt-get install man-db)"
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$2" 2>&1 >"$work/page")
    [[ -z $warnings ]] || fail "man --warnings: $warnings"
    for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" EXAMPLES NOTES; do
        grep -q "^$section\$" "$work/page" || fail "no $section section"
    done
    grep -q 'zorvan \[/m\]' "$work/page" || fail "synopsis is not 'zorvan [/m]'"
    ;;
deb)
    command -v dpkg-deb >/dev/null || skip "dpkg-deb is missing"
    (cd "$work" && cpack -G DEB --config "$2/CPackConfig.cmake" >cpack.log 2>&1) ||
        { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
    deb=$(find "$work" -maxdepth 1 -name 'zorvan_*.deb')
    [[ -f $deb ]] || { fail "no .deb made"; ls "$work"; exit 1; }
    field() { dpkg-deb -f "$deb" "$1"; }
    [[ $(field Package) == zorvan && $(field Version) == 0.02 && $(field Section) == utils ]] ||
        fail "control: $(dpkg-deb -f "$deb")"
    [[ -n $(field Maintainer) && -n $(field Description) ]] || fail "no maintainer or description"
    # A static zorvan depends on nothing; a dynamic one on the C library at least.
    if file -L "$2/zorvan" | grep -q 'statically linked'; then
        [[ -z $(field Depends) ]] || fail "a static zorvan depends on $(field Depends)"
    else
        [[ $(field Depends) == *libc6* ]] || fail "a dynamic zorvan depends on '$(field Depends)'"
    fi
    contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '/$' | sort | tr '\n' ' ')
    [[ $contents == "./usr/bin/zorvan ./usr/share/man/man1/zorvan.1 " ]] || fail "contents: $contents"

    # dpkg -i and -r into a root of its own: the machine's own package database stays untouched.
    if ((EUID == 0)); then
        root=$work/root
        mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
        touch "$root/var/lib/dpkg/status"
        dpkg_root=(dpkg --root="$root" --log=/dev/null --force-script-chrootless --force-depends)
        "${dpkg_root[@]}" -i "$deb" >/dev/null || fail "dpkg -i failed"
        "$root/usr/bin/zorvan" /m >/dev/null || fail "zorvan from the package does not run"
        "${dpkg_root[@]}" -r zorvan >/dev/null || fail "dpkg -r failed"
        left=$(find "$root" -path "$root/var" -prune -o -type f -print)
        [[ -z $left ]] || fail "dpkg -r left $left"
    else
        echo "dpkg -i and -r not tried: they need root"
    fi
    ;;
zip)
    command -v unzip >/dev/null || skip "unzip is missing (apt-get install unzip)"
    (cd "$work" && cpack --config "$2/CPackConfig.cmake" >cpack.log 2>&1) ||
        { cat "$work/cpack.log"; fail "cpack failed"; }
    zip=$(find "$work" -maxdepth 1 -name 'zorvan-0.02-windows-*.zip')
    [[ -f $zip ]] || { fail "no zip made"; ls "$work"; exit 1; }
    contents=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
    [[ $contents == "README.md zorvan.exe " ]] || fail "$(basename "$zip") holds $contents"
    echo "$(basename "$zip"): $contents"
    ;;
esac

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "$1: all checks passed"
