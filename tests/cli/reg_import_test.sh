#!/usr/bin/env bash
# reg_import_test.sh <orvel-zone.exe> <work folder>: in a fresh Wine prefix,
# the .reg that `export` writes, imported with `reg import`, leaves `status`
# finding everything in place, for a domain and for a numeric address, over
# http and https.
set -uo pipefail
. "$(dirname "$0")/../../scripts/wine-path"
here=$(cd "$(dirname "$0")" && pwd)
zone=$1 work=$2
mkdir -p "$work"
"$here/../../scripts/wine-prefix" "$work/prefix" || { echo "FAIL: no Wine prefix in $work/prefix"; exit 1; }
export WINEPREFIX=$work/prefix
trap 'wineserver -k 2>/dev/null' EXIT
run() { timeout -k 10 60 "$here/../../scripts/wine-run" "$@"; }
winepath() { timeout -k 10 60 winepath "$@"; }
failed=0
expect() {
  local want=$1 what=$2
  shift 2
  "$@" >"$work/out.txt" 2>&1
  local got=$?
  if [ "$got" != "$want" ]; then
    [ "$got" != 124 ] || echo "FAIL: $what did not end within 60 s"
    echo "FAIL: $what: exit $got, expected $want"
    cat "$work/out.txt"
    failed=1
  else
    echo "ok: $what (exit $got)"
  fi
}
for address in http://portal.orvel.example.cn/app 10.7.0.1 https://secure.orvel.example.cn/app; do
  reg=$work/orvel.reg
  rm -f "$reg"
  expect 0 "export $address" run "$zone" export "$address" --out "$(winepath -w "$reg" 2>/dev/null)"
  expect 1 "status $address before the import" run "$zone" status "$address"
  expect 0 "reg import of $address" run reg import "$(winepath -w "$reg" 2>/dev/null)"
  expect 0 "status $address after the import" run "$zone" status "$address"
  grep -v '区域管理器' "$work/out.txt"
done
exit $failed
