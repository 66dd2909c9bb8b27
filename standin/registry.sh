# Shared by register.sh and unregister.sh: the registry key of the browser
# class in a Wine prefix, and the Wine that edits it.

STANDIN_KEY='HKLM\Software\Classes\CLSID\{8856F961-340A-11D0-A96B-00C04FD705A2}\InprocServer32'
# What a fresh prefix holds, for when nothing was saved.
WINE_DEFAULT_SERVER='C:\windows\system32\ieframe.dll'

# Wine maps the Unix root to drive Z:.
windows_path() {
  local p=$1
  echo "Z:${p//\//\\}"
}

# $1 = prefix. The Wine of the prefix's own bitness: its reg edits the
# registry view that programs of that bitness read.
use_prefix() {
  export WINEPREFIX
  WINEPREFIX=$(realpath -m "$1")
  export WINEDEBUG=-all
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "not a Wine prefix: $WINEPREFIX" >&2
    return 1
  fi
  local wine=${VD_WINE:-}
  if [[ -z "$wine" ]]; then
    if grep -q '^#arch=win64' "$WINEPREFIX/system.reg"; then wine=/usr/lib/wine/wine64; else wine=/usr/lib/wine/wine; fi
  fi
  export WINELOADER=$wine
  WINE=$wine
  SAVED_REG="$WINEPREFIX/vd-standin-saved.reg"
  SAVED_ABSENT="$WINEPREFIX/vd-standin-saved.absent"
}

# The key's default value, or nothing when the key or value is missing.
current_server() {
  "$WINE" reg query "$STANDIN_KEY" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'
}
