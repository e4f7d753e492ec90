#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need, if any
# is missing. Runs apt-get as root, or through sudo.
set -e

PKGS="cmake make g++ clang libclang-rt-14-dev pkg-config
qt6-base-dev qt6-qpa-plugins libgl-dev
fonts-dejavu-core fonts-dejavu-extra shared-mime-info
libgtest-dev libgmock-dev googletest libbenchmark-dev
gettext wget xvfb xauth libcpp-httplib-dev attr"

missing=""
for p in $PKGS; do
	if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
		missing="$missing $p"
	fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" = 0 ]; then
	SUDO=""
elif command -v sudo >/dev/null 2>&1; then
	SUDO="sudo"
else
	echo "Missing packages:$missing — run as root or install sudo." >&2
	exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
