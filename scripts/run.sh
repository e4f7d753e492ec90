#!/bin/sh
# The main job: starts the terminal from a demo installation.
BUILD="$1"
if [ ! -x "$BUILD/bin/zelmora" ]; then
	echo "build/bin/zelmora does not exist yet: the main window is not built."
	echo "Built so far:"; ls "$BUILD/bin" 2>/dev/null
	exit 0
fi
exec "$BUILD/bin/zelmora"
