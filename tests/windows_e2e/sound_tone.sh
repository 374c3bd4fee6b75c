# A tone played through the library's sound classes over DirectSound under
# Wine, recorded by ALSA's file device (Wine's ALSA driver plays into it, the
# null device behind it), then measured with sox: pitch, level, length, both
# channels alike, and the volume a SOUNDBUFFER is given.
#
#   sound_tone.sh WINE DLL_DIR TONE_PLAYER WORK_DIR
#
# The tone: 440 Hz, peak 16384 of 32767 (a sine whose RMS is -9.03 dBFS),
# 2 seconds, 44100 Hz mono.  Centred, DirectSound plays a mono buffer on both
# channels at its full level.  Tolerances: the frequency within 1 % (sox's
# count of zero crossings, and the device's resampling), the level within
# 1 dB of -9.03 dBFS at volume 0 and the 12 dB step of volume -1200 within
# 0.5 dB, the length within 50 ms.
set -u
wine=$1
dll_dir=$2
player=$3
work=$4
source "$(dirname "$0")/common.sh"
command -v sox >/dev/null || { echo "SKIP: no sox"; exit 77; }

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1

hertz=440
peak=16384
seconds=2
rate=48000
raw=(-t raw -r $rate -e signed -b 16 -c 2)

# record NAME VOLUME: plays the tone at VOLUME into NAME.raw, 16-bit stereo
# at 48 kHz whatever Wine asks of the device (ALSA's plug converts).
record() {
  local name=$1 volume=$2
  local home="$work/home-$name"
  mkdir -p "$home"
  cat >"$home/.asoundrc" <<ALSA
pcm.!default {
  type plug
  slave {
    pcm {
      type file
      slave.pcm "null"
      file "$work/$name.raw"
      format "raw"
    }
    format S16_LE
    rate $rate
    channels 2
  }
}
ALSA
  # Wine's PulseAudio driver is kept out, so that the ALSA device is the one
  # Wine plays into.
  HOME="$home" WINEDLLOVERRIDES="winepulse.drv=d" \
    wine_run 60 "$player" tone.wav $hertz $peak $seconds "$volume" || fail "the tone player failed ($name)"
  [ -s "$name.raw" ] || fail "nothing was recorded ($name)"
}

# measure NAME: prints "LENGTH FREQUENCY LEFT_DB RIGHT_DB" of the recording
# with the silence around the tone cut off; the frequency from 100 ms into
# the tone to 100 ms before its end.
measure() {
  local name=$1
  sox "${raw[@]}" "$name.raw" "$name-tone.wav" silence 1 1s 0.5% reverse silence 1 1s 0.5% reverse ||
    fail "sox cannot read $name.raw"
  local length frequency left right
  length=$(soxi -D "$name-tone.wav")
  frequency=$(sox "$name-tone.wav" -n trim 0.1 -0.1 remix 1 stat 2>&1 | awk '/Rough   frequency/ { print $3 }')
  left=$(sox "$name-tone.wav" -n trim 0.1 -0.1 remix 1 stats 2>&1 | awk '/^RMS lev dB/ { print $4 }')
  right=$(sox "$name-tone.wav" -n trim 0.1 -0.1 remix 2 stats 2>&1 | awk '/^RMS lev dB/ { print $4 }')
  echo "$length $frequency $left $right"
}

record full 0
record quieter -1200
read -r full_length full_hertz full_left full_right <<<"$(measure full)"
read -r quiet_length quiet_hertz quiet_left quiet_right <<<"$(measure quieter)"
echo "volume 0:     ${full_length} s, ${full_hertz} Hz, left ${full_left} dB, right ${full_right} dB"
echo "volume -1200: ${quiet_length} s, ${quiet_hertz} Hz, left ${quiet_left} dB, right ${quiet_right} dB"

for length in "$full_length" "$quiet_length"; do
  within "$length" $seconds 0.05 || fail "the tone lasted $length s, not $seconds s"
done
for measured in "$full_hertz" "$quiet_hertz"; do
  within "$measured" $hertz 4.4 || fail "the pitch is $measured Hz, not $hertz Hz"
done
within "$full_left" -9.03 1 || fail "the left channel's level is $full_left dBFS, not -9.03"
within "$full_right" "$full_left" 0.1 || fail "centred, the channels differ: $full_left and $full_right dBFS"
within "$quiet_right" "$quiet_left" 0.1 || fail "centred, the channels differ: $quiet_left and $quiet_right dBFS"
step=$(awk -v a="$full_left" -v b="$quiet_left" 'BEGIN { print a - b }')
within "$step" 12 0.5 || fail "volume -1200 lowered the tone by $step dB, not 12"
echo "PASS"
