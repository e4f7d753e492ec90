#!/bin/sh
# The main job: lays out a demo installation in BUILD/demo, starts the
# relay-box simulator on a free loopback port, the tag reader on this
# terminal and then the terminal itself. Type a tag and Enter to punch;
# quitting Zelmora stops the companions.
BUILD="${1:-build}"
BUILD=$(cd "$BUILD" && pwd) || exit 1
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
for program in zelmora zelmora-prefs mws-sim scanlet; do
	if [ ! -x "$BUILD/bin/$program" ]; then
		echo "$BUILD/bin/$program is missing; build first (make build)."
		exit 1
	fi
done

DEMO="$BUILD/demo"
mkdir -p "$DEMO/Employee" "$DEMO/config" "$DEMO/data" "$DEMO/bin"
mkdir -p -m 0700 "$DEMO/run"
cp "$BUILD/bin/zelmora" "$DEMO/zelmora"
cp "$SOURCE/presence/lomalogo.png" "$DEMO/lomalogo.png"
# A first demo knows three employees; their tags are printed below.
if [ ! -e "$DEMO/Employee/TagsWithEmployee" ]; then
	printf 'AB12CD34\t\tMaria Muster\t\nEF56GH78\t\tJonas Beispiel\t\n0815AFFE\t\tErika Probe\t\n' \
		> "$DEMO/Employee/TagsWithEmployee"
fi

# Everything of the demo stays in its folder: settings, MIME database,
# sockets and the Deskbar registry.
export XDG_CONFIG_HOME="$DEMO/config"
export XDG_DATA_HOME="$DEMO/data"
export XDG_RUNTIME_DIR="$DEMO/run"

# The only wget the terminal can reach passes loopback calls alone.
REAL_WGET=$(command -v wget)
if [ -n "$REAL_WGET" ] && [ -x "$BUILD/tests/wget-guard" ]; then
	ln -sf "$BUILD/tests/wget-guard" "$DEMO/bin/wget"
	export ZELMORA_REAL_WGET="$REAL_WGET"
	export ZELMORA_WGET_LOG="$DEMO/wget.log"
else
	rm -f "$DEMO/bin/wget"
	printf '#!/bin/sh\nexit 1\n' > "$DEMO/bin/wget"
	chmod +x "$DEMO/bin/wget"
fi
export PATH="$DEMO/bin:$PATH"

# Without a display the terminal serves its screen over VNC. Qt's VNC
# platform listens on every interface; the preload library keeps it on
# 127.0.0.1, so only this machine can connect. The companions stay
# offscreen: only the terminal itself serves a screen.
ZELMORA_PRELOAD=""
ZELMORA_PLATFORM=""
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
	export QT_QPA_PLATFORM=offscreen
	VNC_PORT="${VNC_PORT:-5900}"
	if [ -r "$BUILD/lib/libzl_loopback_bind.so" ]; then
		ZELMORA_PRELOAD="$BUILD/lib/libzl_loopback_bind.so"
		ZELMORA_PLATFORM="vnc:size=1024x768:port=$VNC_PORT"
		echo "No display: connect a VNC viewer to 127.0.0.1:$VNC_PORT"
		echo "(another port: VNC_PORT=N make run)."
	else
		echo "No display: Zelmora runs offscreen (the reader still books)."
	fi
fi

SIM_PID=""
READER_PID=""
stop_companions() {
	[ -n "$READER_PID" ] && kill "$READER_PID" 2>/dev/null
	[ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null
	READER_PID=""
	SIM_PID=""
}
trap 'stop_companions; exit 130' INT TERM

# The relay box: a free loopback port, read from its first line.
: > "$DEMO/mws-sim.log"
"$BUILD/bin/mws-sim" --port 0 > "$DEMO/mws-sim.log" 2>&1 &
SIM_PID=$!
PORT=""
for _ in $(seq 50); do
	PORT=$(sed -n 's/^mws-sim listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' \
		"$DEMO/mws-sim.log")
	[ -n "$PORT" ] && break
	sleep 0.1
done
if [ -z "$PORT" ]; then
	echo "mws-sim did not start; see $DEMO/mws-sim.log"
	stop_companions
	exit 1
fi
"$BUILD/bin/zelmora-prefs" mws_use=1 "mws_ip=127.0.0.1:$PORT" \
	"logo_loma=$DEMO/lomalogo.png" > "$DEMO/prefs.log" 2>&1 || {
	echo "the demo settings could not be written; see $DEMO/prefs.log"
	stop_companions
	exit 1
}
echo "Relay box simulator on 127.0.0.1:$PORT ($DEMO/mws-sim.log)"

# The reader on this terminal; Zelmora starts no second one once its
# Deskbar item is there.
exec 3<&0
"$BUILD/bin/scanlet" --stdin <&3 > "$DEMO/scanlet.log" 2>&1 &
READER_PID=$!
for _ in $(seq 50); do
	[ -e "$DEMO/run/deskbar/ScanletView" ] && break
	sleep 0.1
done
echo "Reader ready: type a tag and Enter to punch (demo tags: AB12CD34,"
echo "EF56GH78, 0815AFFE). Trace: $DEMO/zelmora.log"

if [ -n "$ZELMORA_PRELOAD" ]; then
	LD_PRELOAD="$ZELMORA_PRELOAD" QT_QPA_PLATFORM="$ZELMORA_PLATFORM" \
		"$DEMO/zelmora" < /dev/null 2>&1 \
		| tee "$DEMO/zelmora.log"
else
	"$DEMO/zelmora" < /dev/null 2>&1 | tee "$DEMO/zelmora.log"
fi
stop_companions
