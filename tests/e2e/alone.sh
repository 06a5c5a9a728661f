#!/usr/bin/env bash
# Runs a test so that everything it starts ends with it, however it ends (a crash, a fatal error, a
# time-out's kill): in a process namespace of its own, where the system lets this user make one
# (the processes a test starts also end with it by themselves, but Wine's system processes outlive
# a killed server).
#   alone.sh COMMAND [ARGUMENT...]
# Its /proc is the namespace's own, so that a process finds itself there (LeakSanitizer does). The
# test is not the namespace's first process, which would not die of its own signals (abort).
if unshare --pid --fork --kill-child --mount-proc true 2>/dev/null; then
    exec unshare --pid --fork --kill-child --mount-proc sh -c '"$@"; status=$?; exit $status' sh "$@"
fi
exec "$@"
