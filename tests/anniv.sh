#!/usr/bin/env bash
# "lignee -anniv" run as a desktop session's autostart runs it, with a fresh
# user profile and today fixed by faketime:
# - without an anniversaries file it ends at once with status 0, and no
#   main window has run (it would have written gene.ini on closing);
# - with the fixture file, under the offscreen platform, it stays up showing
#   the reminder, and the database is never opened;
# - on a real X server (Xvfb), the one window it shows is the reminder,
#   280 x 180, and a key press closes it with status 0.
# Usage: anniv.sh <build folder> <fixture AnniFete.mv>
set -euo pipefail
construction=$1
fixture=$2
programme="$construction/shell/lignee"
racine=$(mktemp -d "$construction/anniv.XXXXXX")
pids=()
nettoie() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$racine"
}
trap nettoie EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }

export HOME="$racine/maison" XDG_CONFIG_HOME="$racine/maison/.config"
mkdir -p "$HOME"
reglages="$XDG_CONFIG_HOME/Lignee/Lignée"
lance() { timeout 20 faketime '2024-12-25 10:00:00' "$programme" -anniv > "$racine/sortie.txt" 2>&1; }

# No file: at once, status 0.
export QT_QPA_PLATFORM=offscreen
debut=$(date +%s)
lance || echec "sans fichier, code $? : $(cat "$racine/sortie.txt")"
[ $(( $(date +%s) - debut )) -le 5 ] || echec "sans fichier, le programme a attendu"
[ ! -e "$reglages/gene.ini" ] || echec "la fenêtre principale a été créée"

# With the file: the reminder waits for the user.
mkdir -p "$reglages"
cp "$fixture" "$reglages/AnniFete.mv"
lance &
pids+=($!)
sleep 2
kill -0 "${pids[-1]}" 2>/dev/null || echec "le rappel ne s'est pas affiché : $(cat "$racine/sortie.txt")"
kill "${pids[-1]}"
[ ! -e "$reglages/gene.ini" ] || echec "la fenêtre principale a été créée"

# On an X server: the reminder alone, closed by a key.
command -v Xvfb > /dev/null && command -v xdotool > /dev/null || { echo "Xvfb ou xdotool absent : partie X sautée"; exit 0; }
# The server picks a free display itself and writes its number: two runs at
# once (several build folders on one machine) never share a server.
Xvfb -displayfd 3 -screen 0 1024x768x24 3> "$racine/affichage" > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$racine/affichage" ] && break; sleep 0.1; done
n=$(head -1 "$racine/affichage")
[ -n "$n" ] || echec "Xvfb n'a pas démarré"
export DISPLAY=":$n" QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.1; done
lance &
programme_pid=$!
pids+=($programme_pid)
fenetre=
for _ in $(seq 100); do
  fenetre=$(xdotool search --onlyvisible --name "Anniversaires et fêtes à souhaiter" 2>/dev/null | head -1) && [ -n "$fenetre" ] && break
  sleep 0.1
done
[ -n "$fenetre" ] || echec "pas de fenêtre de rappel : $(cat "$racine/sortie.txt")"
geometrie=$(xdotool getwindowgeometry "$fenetre" | grep Geometry)
[ "$geometrie" = "  Geometry: 280x180" ] || echec "taille du rappel : $geometrie"
[ "$(xdotool search --onlyvisible --name 'Lignée' 2>/dev/null | wc -l)" -eq 0 ] || echec "une autre fenêtre est ouverte"
# No window manager: the focus is given to the window, then the key typed.
xdotool windowfocus --sync "$fenetre"
xdotool key space
for _ in $(seq 50); do kill -0 "$programme_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$programme_pid" 2>/dev/null && echec "une touche n'a pas fermé le rappel"
wait "$programme_pid" || echec "code de sortie $?"
echo "rappel affiché seul et fermé par une touche"
