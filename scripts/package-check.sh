#!/usr/bin/env bash
# Holds every Debian package a build made to lintian: no error, no warning, and no info or
# pedantic tag that is not overridden (each override in packaging/debian/ says why).
#   package-check.sh <build-dir>   after cpack (scripts/consumers.sh makes the packages)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: package-check.sh <build-dir>}
shopt -s nullglob
debs=("$build"/packages/*.deb)
[ ${#debs[@]} -gt 0 ] || { echo "no .deb in $build/packages (run cpack there first)" >&2; exit 1; }
echo "$(lintian --version)"
status=0
for deb in "${debs[@]}"; do
  # lintian warns when run as root (CI containers are); that line is not a finding.
  if out=$(lintian --display-info --pedantic --fail-on error,warning,info,pedantic "$deb" 2>&1 |
             grep -v "running with root privileges"; exit "${PIPESTATUS[0]}"); then
    echo "$(basename "$deb"): clean"
  else
    echo "$(basename "$deb"): lintian found"
    status=1
  fi
  [ -z "$out" ] || echo "$out" | sed 's/^/    /'
  # The overridden tags, for the record (their reasons are in packaging/debian/).
  lintian --display-info --pedantic --show-overrides "$deb" 2>/dev/null | grep "^O:" |
    sed 's/^/    overridden: /' || true
done
exit $status
