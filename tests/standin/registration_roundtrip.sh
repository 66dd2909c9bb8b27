#!/usr/bin/env bash
# usage: registration_roundtrip.sh <wine prefix> <browser_standin.dll>
# Registering (twice) and unregistering the stand-in leaves the prefix's
# WebBrowser registration as it was.
set -uo pipefail
prefix=$1
dll=$2
scripts=$(cd "$(dirname "$0")/../../standin" && pwd)
source "$scripts/registry.sh"
use_prefix "$prefix" || exit 1

values() {
  "$WINE" reg query "$STANDIN_KEY" 2>/dev/null | tr -d '\r' | grep REG_ | sed 's/  */ /g' | sort
}
fail() {
  echo "FAIL: $*"
  status=1
}
status=0
before=$(values)
[[ -n "$before" ]] || fail "no WebBrowser registration to start from"

"$scripts/register.sh" "$prefix" "$dll" >/dev/null || fail "register failed"
"$scripts/register.sh" "$prefix" "$dll" >/dev/null || fail "second register failed"
registered=$(values)
grep -q "(Default) REG_SZ Z:.*\\\\browser_standin.dll" <<<"$registered" || fail "not registered: $registered"
grep -q "ThreadingModel REG_SZ Apartment" <<<"$registered" || fail "no apartment model: $registered"

"$scripts/unregister.sh" "$prefix" >/dev/null || fail "unregister failed"
after=$(values)
[[ "$after" == "$before" ]] || fail "not restored: before [$before] after [$after]"
"$scripts/unregister.sh" "$prefix" >/dev/null || fail "second unregister failed"
[[ "$(values)" == "$before" ]] || fail "a second unregister changed the registration"

[[ $status -eq 0 ]] && echo "registration restored: $before"
exit $status
