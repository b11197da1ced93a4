#!/bin/sh
# Builds the Debian package of the build tree and runs lintian on it: no error and no warning.
# Without lintian the test is skipped (status 77), never passed.
set -eu
build=$1
if ! command -v lintian >/dev/null; then
    echo "lintian is not installed (make deps installs it)"
    exit 77
fi
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$root" >/dev/null
lintian --fail-on error,warning "$root"/*.deb
