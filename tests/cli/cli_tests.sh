#!/usr/bin/env bash
# cli_tests.sh <orvel_cli_tests.exe> <orvel-zone.exe> <stand-in iexplore.exe> [gtest flags]: on an X
# server of its own, since Wine shows a console only with a display.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tests=$1 zone=$2 recorder=$3
shift 3
wineserver -k 2>/dev/null
ORVEL_OWN_DISPLAY=1 "$here/../../scripts/with-display" bash -c '"$0" "$@"; status=$?; wineserver -k 2>/dev/null; exit $status' \
  "$here/../../scripts/wine-run" "$tests" --zone="$zone" --recorder="$recorder" --gtest_color=no "$@"
