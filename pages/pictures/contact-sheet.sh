#!/usr/bin/env bash
# contact-sheet.sh PICTURE_FOLDER OUTPUT.png [ZOOM [SCALE]]
# Lays out the generated pictures of one scale for looking at them: one
# block per page in button order (12 x 6, empty cells for buttons without a
# picture), then the header pictures, the window icon (all its sizes) and
# the cursor. SCALE (default 100) is one of the picture scales, in percent;
# ZOOM (default 2) enlarges every pixel without smoothing. Needs ImageMagick
# and Python 3 (to unpack the bitmaps).
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 PICTURE_FOLDER OUTPUT.png [ZOOM]" >&2
  exit 2
fi
dir=$1
out=$2
zoom=${3:-2}
scale=${4:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The packed bitmaps of the scale as .bmp files: each is the length of the
# DIB and its zlib stream; a file header in front makes it a BMP again.
python3 - "$dir" "$work" "$scale" <<'EOF_PY'
import os, struct, sys, zlib
folder, work, scale = sys.argv[1], sys.argv[2], sys.argv[3]
suffix = "-" + scale + ".z"
found = 0
for name in os.listdir(folder):
    if not name.endswith(suffix):
        continue
    packed = open(os.path.join(folder, name), "rb").read()
    dib = zlib.decompress(packed[4:])
    if len(dib) != struct.unpack_from("<I", packed)[0]:
        sys.exit(name + ": length does not match")
    header, bits, used = struct.unpack_from("<I", dib)[0], struct.unpack_from("<H", dib, 14)[0], struct.unpack_from("<I", dib, 32)[0]
    colours = (used or 1 << bits) if bits <= 8 else 0
    offset = 14 + header + 4 * colours
    bmp = b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, offset) + dib
    open(os.path.join(work, name[: -len(suffix)] + ".bmp"), "wb").write(bmp)
    found += 1
if not found:
    sys.exit("no pictures at " + scale + " % in " + folder)
EOF_PY

# An icon or the cursor holds one image per scale, in the order of the
# scales (those the bitmaps come in): the frame of the sheet's scale.
scales=$(find "$dir" -maxdepth 1 -name 'p10-*.z' | sed -E 's/.*-([0-9]+)\.z$/\1/' | sort -n)
frame=$(( $(grep -n -x "$scale" <<<"$scales" | cut -d: -f1) - 1 ))

tile() {  # montage arguments for one picture: label, file (or an empty cell), [frame]
  local label=$1 file=$2 index=${3:-}
  if [ -e "$work/$file" ]; then
    args+=(-label "$label" "$work/$file")
  elif [ -e "$dir/$file" ]; then
    args+=(-label "$label" "$dir/$file${index:+[$index]}")
  else
    args+=(-label "$label" "null:")
  fi
}

# The labels in the pictures' own face: ImageMagick's default (Helvetica
# through Ghostscript) is often not installed.
font=()
if command -v fc-match >/dev/null; then
  font=(-font "$(fc-match -f '%{file}' IPAGothic)")
fi

blocks=()
for page in 1 2 3 4 5; do
  args=()
  for index in $(seq 0 71); do
    number=$(( (page - 1) * 72 + index ))
    if [ -e "$dir/i$((2001 + number)).ico" ]; then
      tile "$number" "i$((2001 + number)).ico" "$frame"
    else
      tile "$number" "p$((1000 + number)).bmp"
    fi
  done
  montage "${args[@]}" -tile 12x6 -geometry "$((80 * scale / 100))x$((90 * scale / 100))>+3+3" -background '#c8c8c8' \
    "${font[@]}" -pointsize 10 -title "page $page" "$work/page$page.png"
  blocks+=("$work/page$page.png")
done

args=()
tile "next 10" p10.bmp
tile "exit 11" p11.bmp
tile "help 12" p12.bmp
tile "icon 2000" i2000.ico
tile "cursor 1" click.cur "$frame"
montage "${args[@]}" -tile 8x -geometry '+6+6' -background '#c8c8c8' "${font[@]}" -pointsize 10 \
  "$work/extras.png"
blocks+=("$work/extras.png")

convert "${blocks[@]}" -background '#c8c8c8' -append +repage -depth 8 -filter point -resize "$((zoom * 100))%" "$out"
echo "$out"
