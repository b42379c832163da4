#!/usr/bin/env bash
# Installs the build tree under a staging folder (DESTDIR) with the prefix
# /usr, checks that the program, its models, its desktop entry and its icon
# are in their places, then starts the installed program headless with a
# fresh user profile. It has found and loaded its language files once it
# creates the user's settings folder, which the start-up does only after
# them; a program that cannot find them stops on "Not Found" instead.
# Usage: installation.sh <build folder>
set -euo pipefail
construction=$1
racine=$(mktemp -d "$construction/installation.XXXXXX")
pid=
nettoie() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$racine"
}
trap nettoie EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }

DESTDIR="$racine" cmake --install "$construction" --prefix /usr > /dev/null
usr="$racine/usr"
for f in bin/lignee share/lignee/modele/langue.txt share/lignee/modele/langue.ini \
         share/lignee/modele/1/arbre/defaut.mva share/lignee/modele/exemples/exemple.mvd \
         share/applications/lignee.desktop share/applications/lignee-anniv.desktop share/icons/hicolor/scalable/apps/lignee.svg \
         share/mime/packages/lignee.xml; do
  [ -e "$usr/$f" ] || echec "$f n'est pas installé"
done
[ -x "$usr/bin/lignee" ] || echec "bin/lignee n'est pas exécutable"
grep -q '^Exec=lignee' "$usr/share/applications/lignee.desktop" || echec "entrée de bureau sans Exec"
grep -q '^Icon=lignee$' "$usr/share/applications/lignee.desktop" || echec "entrée de bureau sans icône"
grep -q '^Exec=lignee -anniv$' "$usr/share/applications/lignee-anniv.desktop" || echec "entrée des anniversaires sans -anniv"
# The bases are of a type the desktop knows, which the entry opens: the type
# database built from the installed file gives "*.mvd" and the magic text.
grep -q '^MimeType=application/x-lignee;$' "$usr/share/applications/lignee.desktop" || echec "entrée de bureau sans type MIME"
if command -v update-mime-database > /dev/null; then
  update-mime-database "$usr/share/mime" > /dev/null 2>&1 || echec "le type MIME installé est refusé"
  grep -q '^application/x-lignee:\*\.mvd$' "$usr/share/mime/globs" || echec "le type MIME ne nomme pas *.mvd"
  grep -q 'LIGNEEDB' "$usr/share/mime/magic" || echec "le type MIME ne reconnaît pas le contenu d'une base"
fi
# Nothing beside the installed program: it has to find its data folder.
[ ! -e "$usr/bin/modele" ] || echec "modele installé à côté du programme"

export HOME="$racine/maison" XDG_CONFIG_HOME="$racine/maison/.config" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
reglages="$XDG_CONFIG_HOME/Lignee/Lignée"
"$usr/bin/lignee" > "$racine/sortie.txt" 2>&1 &
pid=$!
for _ in $(seq 300); do
  [ -d "$reglages" ] && exit 0
  kill -0 "$pid" 2>/dev/null || echec "le programme s'est arrêté : $(cat "$racine/sortie.txt")"
  sleep 0.1
done
echec "le programme installé n'a pas trouvé ses fichiers (pas de dossier $reglages)"
