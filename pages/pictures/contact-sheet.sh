#!/usr/bin/env bash
# contact-sheet.sh PICTURE_FOLDER OUTPUT.png [ZOOM]
# Lays out the generated pictures for looking at them: one block per page
# in button order (12 x 6, empty cells for buttons without a picture), then
# the header pictures, the window icon and the cursor. ZOOM (default 2)
# enlarges every pixel without smoothing. Needs ImageMagick.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 PICTURE_FOLDER OUTPUT.png [ZOOM]" >&2
  exit 2
fi
dir=$1
out=$2
zoom=${3:-2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tile() {  # montage arguments for one picture: label, file (or an empty cell)
  local label=$1 file=$2
  if [ -e "$dir/$file" ]; then
    args+=(-label "$label" "$dir/$file")
  else
    args+=(-label "$label" "null:")
  fi
}

blocks=()
for page in 1 2 3 4 5; do
  args=()
  for index in $(seq 0 71); do
    number=$(( (page - 1) * 72 + index ))
    if [ -e "$dir/i$((2001 + number)).ico" ]; then
      tile "$number" "i$((2001 + number)).ico"
    else
      tile "$number" "p$((1000 + number)).bmp"
    fi
  done
  montage "${args[@]}" -tile 12x6 -geometry '80x90>+3+3' -background '#c8c8c8' \
    -pointsize 10 -title "page $page" "$work/page$page.png"
  blocks+=("$work/page$page.png")
done

args=()
tile "next 10" p10.bmp
tile "exit 11" p11.bmp
tile "help 12" p12.bmp
tile "icon 2000" i2000.ico
tile "cursor 1" click.cur
montage "${args[@]}" -tile 8x -geometry '+6+6' -background '#c8c8c8' -pointsize 10 "$work/extras.png"
blocks+=("$work/extras.png")

convert "${blocks[@]}" -background '#c8c8c8' -append +repage -depth 8 -filter point -resize "$((zoom * 100))%" "$out"
echo "$out"
