#!/usr/bin/env bash
# Photographs the program's windows for the manual (resources/shipped/instrukcja/*.png).
#
#   tools/manual_screenshots.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR defaults to ./build, OUT_DIR to resources/shipped/instrukcja. The built program runs
# on a private virtual display with its own data folder, on a sample class made from
# tests/data/make_srk_class.py, so the user's own settings and classes are never touched.
# Needs the Debian packages xvfb, xdotool, imagemagick and python3. Run it by hand after a
# window changes and commit the pictures it rewrites; tests never run it.
#
# There is no window manager on the virtual display, so keyboard shortcuts of the main window do
# not arrive: menus are opened with a mouse click on "Plik" and arrow keys, and the entry is
# chosen by its underlined letter. A window that does not appear is reported and skipped.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=${2:-$root/resources/shipped/instrukcja}
program=$build/app/semrik
[ -x "$program" ] || { echo "no program at $program (build the semrik target first)" >&2; exit 1; }
for tool in Xvfb xdotool import convert python3; do
  command -v "$tool" >/dev/null || {
    echo "missing $tool: apt-get install xvfb xdotool imagemagick python3" >&2; exit 1; }
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# Sanitized builds report leaks of the GUI libraries at exit; that is not this script's business.
export ASAN_OPTIONS=detect_leaks=0

# The sample class: 30 pupils with every document filled in.
python3 "$root/tests/data/make_srk_class.py" "$work/klasa.srk" --clean
QT_QPA_PLATFORM=offscreen "$program" --import-srk "$work/klasa.srk" "$work/klasa.smrk" >/dev/null

display=:$((120 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
sleep 2

# window_id TITLE [SECONDS]: the visible window whose title matches TITLE (a regular
# expression), other than the main window, waiting for it.
window_id() {
  local title=$1 tries=$((${2:-20} * 4)) id
  while [ "$tries" -gt 0 ]; do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | grep -vx "${main:-none}" |
         tail -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.25
    tries=$((tries - 1))
  done
  return 1
}

# save ID NAME: the window as NAME.png, in at most 256 colours to keep the file small.
save() {
  import -window "$1" "$work/shot.png"
  convert "$work/shot.png" -strip -colors 256 "PNG8:$out/$2.png"
  echo "saved $2.png"
}

# shoot TITLE NAME [KEY]: waits for the window, lets it paint, saves it and closes it with KEY,
# Esc unless given (these windows are only looked at, so none asks about changes).
shoot() {
  local id close=${3:-Escape}
  if ! id=$(window_id "$1"); then
    echo "not shown, skipped: $2" >&2
    return 0
  fi
  sleep 1.5
  save "$id" "$2"
  xdotool windowfocus --sync "$id" key "$close" 2>/dev/null || true
  sleep 1
}

# menu INDEX LETTER: opens the INDEX-th menu of the main window (0 = Plik) and picks the entry
# with the underlined LETTER.
menu() {
  xdotool mousemove --window "$main" 20 8 click 1
  sleep 0.8
  local i
  for ((i = 0; i < $1; i++)); do xdotool key Right; sleep 0.3; done
  xdotool key "$2"
}

# open_document: the certificate and meeting-note windows ask whether to create the school-data
# template first; the answer here is no.
open_document() {
  local id
  menu 2 e
  if id=$(window_id 'Szablon' 8); then xdotool windowfocus --sync "$id" key Escape; fi
}

# select_document N: the N-th document of the sample pupil (1 = his first certificate). His row
# is the eighth of the tree: Kowalski Jan.
pupil_row_y=$((97 + 7 * 14))
select_document() {
  xdotool mousemove --window "$main" 60 "$pupil_row_y" click 1
  sleep 0.5
  local i
  for ((i = 0; i < $1; i++)); do xdotool key Down; sleep 0.2; done
  sleep 1.5
}

main_title='Drukowanie świadectw dla Szkoły Podstawowej klasy 4-6, wersja: .*'
"$program" "$work/klasa.smrk" >"$work/program.log" 2>&1 &
app_pid=$!

# First start: the note about the changed data files.
if id=$(window_id 'Orvento - Halvik, klasy 4-6' 60); then
  xdotool windowfocus --sync "$id" key Return
fi
main=$(xdotool search --sync --onlyvisible --name "^${main_title}\$" | head -1)

# The main window with the sample pupil's first certificate previewed.
xdotool mousemove --window "$main" 60 "$pupil_row_y" click 1
sleep 0.5
xdotool key Right
select_document 1
sleep 1
save "$main" okno_glowne

# An entry for the log viewer: opening a file that is not a class file is logged. Done while the
# class is unchanged, so no question about saving comes first.
menu 0 o
if id=$(window_id 'Wczytaj plik' 10); then
  sleep 1
  xdotool windowfocus --sync "$id" type --delay 10 "$work/klasa.srk"
  xdotool key Return
  if id=$(window_id 'Błąd|Uwaga' 10); then xdotool windowfocus --sync "$id" key Return; fi
  sleep 1
fi

menu 1 e
shoot 'Dane ucznia' dane_ucznia

open_document
shoot 'MEN-I/3a/2 .*' swiadectwo

# After six certificates: the meeting note, then the grade sheet's title page and class IV page.
select_document 7
open_document
shoot '.+' wywiadowka

select_document 9
open_document
shoot '.+' arkusz

select_document 1
menu 0 s
shoot 'Szablon danych' szablon_danych

menu 2 d
shoot 'Drukowanie' drukowanie

# Both formatting commands open the same window under two titles.
menu 3 p
shoot 'Formatowanie podstawowe' kalibracja

menu 4 l
shoot 'Logi programu' logi

menu 4 o
shoot '.+' o_programie Return

# Backups: three copies of the sample class, named as the timer names them.
backup_dir=$(find "$XDG_DATA_HOME" -type d -name backup | head -1)
if [ -n "$backup_dir" ]; then
  for stamp in 2014-06-09_100000 2014-06-09_101000 2014-06-09_102000; do
    cp "$work/klasa.smrk" "$backup_dir/$stamp.smrk"
  done
fi
menu 0 d
shoot 'Kopie bezpieczeństwa' kopie

# Last, since it replaces the open class: the import's progress window, caught while it works.
# The file dialog has the same title; it takes the path typed into its name field.
menu 0 i
if id=$(window_id 'Import' 3); then xdotool windowfocus --sync "$id" key Return; fi  # unsaved data
if file_dialog=$(window_id 'Import danych' 10); then
  sleep 1
  xdotool windowfocus --sync "$file_dialog" type --delay 10 "$work/klasa.srk"
  xdotool key Return
  progress=
  for _ in $(seq 80); do
    progress=$(xdotool search --onlyvisible --name '^Import danych$' 2>/dev/null |
               grep -vx "$file_dialog" | tail -1 || true)
    [ -n "$progress" ] && break
    sleep 0.1
  done
  if [ -n "$progress" ]; then save "$progress" import; else echo "not shown, skipped: import" >&2; fi
else
  echo "no file dialog, skipped: import" >&2
fi

echo "pictures in $out:"
du -ch "$out"/*.png | tail -1
