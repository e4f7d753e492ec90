#!/bin/sh
# Runs every benchmark program of the build and prints its figures.
BUILD="$1"
for b in "$BUILD"/bench/bench_*; do
	[ -x "$b" ] || continue
	echo "== $(basename "$b")"
	"$b" --benchmark_min_time=0.2
done
