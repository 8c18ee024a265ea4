#!/usr/bin/env bash
# check-release.sh OBJDUMP EXE ALLOWED: the release exe as Windows XP SP3
# loads it. Windows refuses a program before any of its code runs when it
# imports a function the system lacks, or asks for a newer subsystem, so this
# fails, naming each, on an import that the ALLOWED list does not hold, and
# on a subsystem version above XP's 5.1. The exe must also stay one small
# file with ASLR and DEP asked for.
set -euo pipefail
objdump=$1 exe=$2 allowed=$3
export LC_ALL=C
headers=$("$objdump" -p "$exe")
status=0
fail() {
    echo "$exe: $*"
    status=1
}

# "DLL Name: KERNEL32.dll", then a line per function: vma, hint, name.
imports=$(awk '/^\tDLL Name: / {dll = tolower($3); next}
               /^$/ {dll = ""}
               dll && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ {print dll, $3}' <<<"$headers" | sort -u)
[ -n "$imports" ] || fail "no imports read: not a PE file objdump knows?"
while read -r dll function; do
    fail "imports $function from $dll, which Windows XP SP3 may lack (not in ${allowed##*/})"
done < <(comm -23 <(echo "$imports") <(awk '!/^#/ && NF {print tolower($1), $2}' "$allowed" | sort -u))

field() { awk -v name="$1" '$1 == name {print $2; exit}' <<<"$headers"; }
subsystem=$(($(field MajorSubsystemVersion) * 100 + $(field MinorSubsystemVersion)))
[ "$subsystem" -le 501 ] || fail "asks for subsystem version $((subsystem / 100)).$((subsystem % 100)); Windows XP is 5.1"
flags=$((16#$(field DllCharacteristics)))
[ $((flags & 0x40)) -ne 0 ] || fail "no ASLR (DYNAMIC_BASE)"
[ $((flags & 0x100)) -ne 0 ] || fail "no DEP (NX_COMPAT)"
size=$(stat -c %s "$exe")
[ "$size" -le $((256 * 1024)) ] || fail "is $size bytes, over 256 KiB"

[ $status -eq 0 ] && echo "$exe: $(wc -l <<<"$imports") imports, all on Windows XP SP3; subsystem $((subsystem / 100)).$((subsystem % 100)); ASLR and DEP; $size bytes"
exit $status
