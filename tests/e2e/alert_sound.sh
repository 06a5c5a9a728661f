#!/usr/bin/env bash
# A win is heard exactly once, by the alert its desktop expects; a loss is not heard.
#   alert_sound.sh wayland TEST_ALERT                 Weston: the sound theme's bell lands in a sound file
#   alert_sound.sh x11 TEST_ALERT BELL_COUNTER ON_XVFB  Xvfb, no compositor: one XKB bell, no sound
# ALSA's default device is pointed at its file plugin through a private ~/.asoundrc, so whatever
# libcanberra plays lands in a file instead of on a sound card.
set -euo pipefail
here=$(dirname "$0")
mode=$1 program=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch VELMORA_SOUND_FILE=$scratch/sound.raw
cat >"$HOME/.asoundrc" <<ALSA
pcm.!default {
    type file
    slave.pcm "null"
    file "$VELMORA_SOUND_FILE"
    format "raw"
}
ALSA

case $mode in
wayland)
    export VELMORA_EXPECT_SOUND=1
    "$here/on_weston.sh" "$program" winIsHeardOnceLossNotAtAll
    ;;
x11)
    export XDG_SESSION_TYPE=x11 VELMORA_EXPECT_SOUND=0 PROGRAM=$program COUNTER=$3 BELLS=$scratch/bells
    "$4" bash -c '
        "$COUNTER" >"$BELLS" &
        counter=$!
        for _ in $(seq 300); do grep -q ready "$BELLS" && break; sleep 0.1; done
        status=0
        "$PROGRAM" winIsHeardOnceLossNotAtAll || status=$?
        sleep 0.3
        kill $counter
        exit $status'
    count=$(grep -c '^bell$' "$BELLS" || true)
    echo "XKB bells: $count"
    [ "$count" -eq 1 ]
    ;;
esac
