#!/usr/bin/env bash
# usage: unregister.sh <wine prefix>
# Puts back the WebBrowser registration that register.sh found.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/registry.sh"
if [[ $# -ne 1 ]]; then
  echo "usage: $0 <wine prefix>" >&2
  exit 2
fi
use_prefix "$1"

if [[ -f "$SAVED_REG" ]]; then
  "$WINE" reg delete "$STANDIN_KEY" /f >/dev/null 2>&1 || true
  "$WINE" reg import "$(windows_path "$SAVED_REG")" >/dev/null
  rm -f "$SAVED_REG"
elif [[ -f "$SAVED_ABSENT" ]]; then
  "$WINE" reg delete "$STANDIN_KEY" /f >/dev/null 2>&1 || true
  rm -f "$SAVED_ABSENT"
elif [[ "$(current_server)" == *browser_standin.dll ]]; then
  # Nothing saved (the prefix was registered by hand): back to Wine's own control.
  "$WINE" reg add "$STANDIN_KEY" /ve /d "$WINE_DEFAULT_SERVER" /f >/dev/null
  "$WINE" reg add "$STANDIN_KEY" /v ThreadingModel /d Apartment /f >/dev/null
fi
echo "WebBrowser class -> $(current_server)"
