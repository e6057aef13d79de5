#!/usr/bin/env bash
# Plays one game in a window with the sound at HIGH and records what the player hears, through SDL's disk
# audio driver: a minute of play with the fire key tapped fast, so that effects stack over the music.
# Prints the full-scale samples of the play and its integrated loudness (EBU R 128).
#
#   scripts/sound-play.sh [-b BUILD] [-s SECONDS] [-o FOLDER] [-m] GAME
#
# GAME is bounce, canyon, swarm, gobbler, burrow, tanks, climber or rocks. With -m the game's menu stays
# open instead, its levels at HIGH, and the recording is the menus' tune as the player hears it there.
# FOLDER (default: a temporary one) keeps the recording (sound.wav, 44.1 kHz 16-bit stereo, the play alone
# in play.wav), the script and frames of the run. Needs sox and ffmpeg (for its ebur128 filter), and Xvfb (xvfb-run) when there is no
# display; none of them is a dependency of the program. Runs take the real time they play: about 1.5 min.
set -euo pipefail

build=build
seconds=60
out=""
menu=""
while getopts "b:s:o:m" opt; do
  case $opt in
    b) build=$OPTARG ;;
    s) seconds=$OPTARG ;;
    o) out=$OPTARG ;;
    m) menu=1 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
game=${1:?"usage: $0 [-b BUILD] [-s SECONDS] [-o FOLDER] [-m] GAME"}

# The game's icon from the brick game's (the first of the main menu, four to a row), the keys its play
# is driven by, and the keys between its menu's "start" and the play.
case $game in
  bounce) icon="" play="Left Right Up" begin="" ;;
  canyon) icon="Right" play="" begin="" ;;
  swarm) icon="Right Right" play="Left Up Right Up" begin="" ;;
  gobbler) icon="Right Right Right" play="Left Up Right Down" begin="" ;;
  burrow) icon="Down" play="Left Up Right Down" begin="" ;;
  tanks) icon="Down Right" play="Up Left Up Right Down" begin="Enter" ;;
  climber) icon="Down Right Right" play="Right Left Up Right Down" begin="" ;;
  rocks) icon="Right Right Right Down" play="Left Up Left Right" begin="" ;;
  *)
    echo "unknown game: $game" >&2
    exit 2
    ;;
esac

program=$(realpath "$build/glimmerhut")
archive=$(realpath "$build/game.dat")
if [ -z "$out" ]; then out=$(mktemp -d); fi
out=$(realpath "$out")
rm -rf "${out:?}/data" "${out:?}/home"
mkdir -p "$out/data" "$out/home"
ln -s "$archive" "$out/data/game.dat"

script=""
press() { script+="$1 key down $2"$'\n'"$(($1 + ${3:-50})) key up $2"$'\n'; }

# The language, and "yes" to the sound question (effects and music at LOW for every game); then the
# game's icon.
press 1700 Enter
press 2300 Down
press 2700 Enter
t=20000
for key in $icon; do
  press $t "$key"
  t=$((t + 300))
done
press 22000 Enter
script+="25000 capture menu.png"$'\n'
# In the game's menu: its fourth and fifth entries are the effects and music levels, Low, Normal, High;
# then back up to "start".
t=25500
for key in Down Down Down Enter Enter Down Enter Enter Up Up Up Up; do
  press $t $key
  t=$((t + 600))
done
script+="$t capture levels.png"$'\n'
if [ -n "$menu" ]; then
  # The menu stays; its tune plays on at the levels just set.
  from=$((t + 1500))
  to=$((from + seconds * 1000))
else
  press $((t += 200)) Enter
  for key in $begin; do press $((t += 600)) "$key"; done
  from=$((t + 1500))
  to=$((from + seconds * 1000))

  # Play: an arrow held 400 ms each second (none for a game that steers itself best), the fire key tapped
  # every 150 ms.
  read -r -a arrows <<<"$play"
  turn=0
  for ((s = from; s < to; s += 1000)); do
    if ((${#arrows[@]})); then press $s "${arrows[turn++ % ${#arrows[@]}]}" 400; fi
    for ((f = s + 20; f < s + 1000 && f < to; f += 150)); do press $f Enter 60; done
    if (((s - from) % 10000 == 0)); then script+="$((s + 500)) capture play$(((s - from) / 1000)).png"$'\n'; fi
  done
fi
script+="$((to + 500)) close"$'\n'
{
  echo "realtime"
  printf '%s' "$script" | sort -s -n -k1,1
} >"$out/script.txt"

command=(env GLIMMERHUT_DATA="$out/data" XDG_DATA_HOME="$out/home" GLIMMERHUT_SCRIPT="$out/script.txt"
  GLIMMERHUT_AUDIO=sdl SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/sound.raw" "$program")
if [ -z "${DISPLAY:-}" ]; then command=(xvfb-run -a -s "-screen 0 1280x1024x24" "${command[@]}"); fi
"${command[@]}" >"$out/stdout.txt" 2>"$out/stderr.txt"

# The program's output: 44.1 kHz 16-bit stereo. The recording starts with the program; the play lies
# between `from` and `to` on its clock.
sox -t raw -r 44100 -e signed -b 16 -c 2 "$out/sound.raw" "$out/sound.wav"
sox "$out/sound.wav" "$out/play.wav" trim "$(printf '%d.%03d' $((from / 1000)) $((from % 1000)))" "$seconds"
# Samples at full scale, past the WAVE header's 22 words.
full=$(od -An -v -td2 -w2 "$out/play.wav" | awk 'NR > 22 && ($1 >= 32767 || $1 <= -32768) { n++ } END { print n + 0 }')
lufs=$(ffmpeg -nostats -hide_banner -i "$out/play.wav" -af ebur128 -f null - 2>&1 |
  awk '/Integrated loudness:/ { on = 1 } on && $1 == "I:" { print $2; exit }')
peak=$(sox "$out/play.wav" -n stats 2>&1 | awk '/^Pk lev dB/ { print $4 }')
printf '%-8s%s full-scale samples %6d  integrated %6s LUFS  peak %6s dBFS  (%s)\n' "$game" "${menu:+ menu}" "$full" "$lufs" "$peak" "$out"
