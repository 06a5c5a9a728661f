#!/usr/bin/env bash
# A launcher for bench_display: the program under callgrind, which counts the instructions it runs
# (a count that does not swing with the machine's load), written to $VELMORA_CALLGRIND_DIR/NAME.out.
#   callgrind.sh PROGRAM
exec valgrind --tool=callgrind --callgrind-out-file="$VELMORA_CALLGRIND_DIR/$(basename "$1").out" "$1"
