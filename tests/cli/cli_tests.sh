#!/usr/bin/env bash
# cli_tests.sh <orvel_cli_tests.exe> <orvel-zone.exe> <stand-in iexplore.exe> <planted urlmon.dll>
# [gtest flags]: on an X server of its own, since Wine shows a console only with a display.
set -uo pipefail
. "$(dirname "$0")/../../scripts/wine-path"
here=$(cd "$(dirname "$0")" && pwd)
tests=$1 zone=$2 recorder=$3 planted=$4
shift 4
wineserver -k 2>/dev/null
# Wine prefers its own urlmon to a file of that name; Windows loads the file
# its search finds first, so the planted DLL's test needs Windows' rule.
export WINEDLLOVERRIDES="urlmon=n,b${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
ORVEL_OWN_DISPLAY=1 "$here/../../scripts/with-display" bash -c '"$0" "$@"; status=$?; wineserver -k 2>/dev/null; exit $status' \
  "$here/../../scripts/wine-run" "$tests" --zone="$zone" --recorder="$recorder" --planted="$planted" --gtest_color=no "$@"
