#!/usr/bin/env bash
# Fails when an object of the program or of FTGL that the link of the
# subset's frames took calls a GL or GLU function of its own name (not
# renamed to the subset's), or one of the subset's that it does not define.
#   link_check.sh LINK-MAP SUBSET-LIBRARY
set -euo pipefail
map="$1" subset="$2"
cd "$(dirname "$map")"   # the map names archives from the link's folder
object="$(mktemp)"
trap 'rm -f "$object"' EXIT
defined="$(nm --defined-only -C "$subset" | sed -n 's/.* T gl11::\([A-Za-z0-9]*\)(.*/\1/p' | sort -u)"
status=0 checked=0
# The archive members the link took, as the map lists them: "lib.a(member.o)".
while read -r archive member; do
    checked=$((checked + 1))
    ar p "$archive" "$member" >"$object"
    calls="$(nm -u -C "$object")"
    bypass="$(grep -oE ' (gl|glu)[A-Z][A-Za-z0-9]*$' <<<"$calls" | tr -d ' ' || true)"
    [[ -n "$bypass" ]] && { echo "$member calls GL itself: $(echo $bypass)"; status=1; }
    for name in $(sed -n 's/.*gl11::\([A-Za-z0-9]*\)(.*/\1/p' <<<"$calls" | sort -u); do
        grep -qx "$name" <<<"$defined" || { echo "$member calls gl11::$name, which the subset does not define"; status=1; }
    done
done < <(grep -oE '^[^ (]+\.a\([^)]+\.o\)' "$map" | sort -u | sed -E 's/^(.*)\((.*)\)$/\1 \2/' |
    grep -E '_gl11\.a ' )
echo "$checked objects of the program and FTGL checked"
[[ $checked -gt 0 ]] || exit 1
exit $status
