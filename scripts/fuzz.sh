#!/bin/sh
# Runs every fuzz target of the fuzz build for the given seconds, each on its
# seed corpus in tests/fuzz/corpus/<name> (copied, so runs leave the tree
# clean). Fails when a target finds a crash.
set -e
BUILD="$1"
SECS="${2:-20}"
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
status=0
for f in "$BUILD"/fuzz/fuzz_*; do
	[ -x "$f" ] || continue
	name="$(basename "$f")"
	work="$BUILD/corpus/$name"
	mkdir -p "$work"
	if [ -d "$ROOT/tests/fuzz/corpus/$name" ]; then
		cp -r "$ROOT/tests/fuzz/corpus/$name/." "$work/"
	fi
	echo "== $name ($SECS s)"
	if ! "$f" -max_total_time="$SECS" -max_len=65536 -rss_limit_mb=2048 \
		-artifact_prefix="$BUILD/" -print_final_stats=1 "$work" \
		>"$BUILD/$name.log" 2>&1; then
		echo "$name FAILED, see $BUILD/$name.log"
		tail -40 "$BUILD/$name.log"
		status=1
	else
		grep -E "stat::number_of_executed_units|stat::new_units_added|cov:" \
			"$BUILD/$name.log" | tail -3
	fi
done
exit $status
