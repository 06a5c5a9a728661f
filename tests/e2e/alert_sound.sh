#!/usr/bin/env bash
# A win is heard exactly once, by the alert its desktop expects; a loss is not heard.
#   alert_sound.sh wayland TEST_ALERT                 Weston: the sound theme's bell lands in a sound file
#   alert_sound.sh x11 TEST_ALERT BELL_COUNTER        Xvfb, no compositor: one XKB bell, no sound
# ALSA's default device is pointed at its file plugin through a private ~/.asoundrc, so whatever
# libcanberra plays lands in a file instead of on a sound card.
set -euo pipefail
here=$(dirname "$0")
mode=$1 program=$2
scratch=$(mktemp -d)
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
    source "$here/xvfb.sh"
    trap stop_all EXIT
    start_xvfb
    export XDG_SESSION_TYPE=x11 VELMORA_EXPECT_SOUND=0
    bells=$scratch/bells
    start_bell_counter "$3" "$bells"
    "$program" winIsHeardOnceLossNotAtAll
    sleep 0.3
    count=$(grep -c '^bell$' "$bells" || true)
    echo "XKB bells: $count"
    [ "$count" -eq 1 ]
    ;;
esac
