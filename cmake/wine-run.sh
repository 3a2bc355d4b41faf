#!/bin/sh
# Runs a Windows program under Wine for the tests: the prefix is kept in the
# build folder (made once, by the first run), Wine's own messages are off, and
# the program finds its DLLs in the folders given.
# Usage: wine-run.sh PREFIX DLL_FOLDERS(colon-separated) PROGRAM [ARGUMENT...]
set -eu
prefix=$1 folders=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
winepath=""
old_ifs=$IFS
IFS=:
for folder in $folders; do
  [ -n "$folder" ] && winepath="$winepath${winepath:+;}Z:$folder"
done
IFS=$old_ifs
export WINEPATH="$winepath"
# Wine keeps QT_* variables from Windows programs unless they are given as
# WINEQT_*.
for name in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
  eval "export WINE$name=\"\$$name\""
done
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  # Tests started at once make the prefix one at a time.
  flock "$prefix.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }'
fi
exec wine "$@"
