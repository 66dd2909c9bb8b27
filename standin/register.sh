#!/usr/bin/env bash
# usage: register.sh <wine prefix> <browser_standin.dll>
# Makes the prefix's WebBrowser class load the stand-in. The previous
# registration is saved once in the prefix, for unregister.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/registry.sh"
if [[ $# -ne 2 ]]; then
  echo "usage: $0 <wine prefix> <browser_standin.dll>" >&2
  exit 2
fi
use_prefix "$1"
dll=$(realpath "$2")
if [[ ! -f "$dll" ]]; then
  echo "no such DLL: $dll" >&2
  exit 1
fi

# Registering again must not save the stand-in as the previous registration.
if [[ ! -f "$SAVED_REG" && ! -f "$SAVED_ABSENT" ]]; then
  previous=$(current_server)
  if [[ -z "$previous" ]]; then
    : >"$SAVED_ABSENT"
  elif [[ "$previous" != *browser_standin.dll ]]; then
    "$WINE" reg export "$STANDIN_KEY" "$(windows_path "$SAVED_REG")" /y >/dev/null
  fi
fi
"$WINE" reg add "$STANDIN_KEY" /ve /d "$(windows_path "$dll")" /f >/dev/null
"$WINE" reg add "$STANDIN_KEY" /v ThreadingModel /d Apartment /f >/dev/null
echo "WebBrowser class -> $(current_server)"
