#!/usr/bin/env python3
"""Breaks the code of one folder on purpose, one line at a time, and counts
how often its tests notice.

A developer's tool, not run by CI. Each round picks a random line of the
folder's production .cpp files, applies ONE small breakage to it (a
comparison flipped, an integer moved by one, && and || swapped, true and
false swapped, a ! dropped, two simple arguments swapped, a statement
removed), rebuilds the folder's test programs, runs them, and puts the file
back. A failing test, a crash or a time-out counts as caught; a breakage that
does not compile is not counted, nor are lines of logging, texts, layout
spacing or memory reservations, timing constants moved by one, nor a
`break;` before an empty `default:` (removing it changes nothing). The file is restored whatever happens (Ctrl-C included); as a last
resort, with `git checkout`.

    scripts/mutation.py shell -n 50 --seed 1
    scripts/mutation.py tree -n 30 --seed 7 --log /tmp/arbre.jsonl
    scripts/mutation.py shell --rejoue build/mutation-shell.jsonl --survivants

The log holds one JSON line per round; --rejoue runs the rounds of a log
again (after new tests), --survivants only those that survived.
"""

import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

RACINE = Path(__file__).resolve().parent.parent

# The test programs that exercise each folder, fastest first: the first one
# that fails ends the round. The map window's tests start a browser engine
# and come last.
SHELL_TESTS = ["test_options", "test_arbre", "test_fiche_fenetre", "test_fusion_fenetre",
               "test_stat_fenetre", "test_shell", "test_fenetres", "test_carte_fenetre"]
DOSSIERS = {
    "shell": SHELL_TESTS,
    "tree": ["test_look", "test_lien", "test_reglages_arbre", "test_layouts_asc",
             "test_layouts_des", "test_page", "test_boite", "test_cellule", "test_arbre",
             "test_shell"],
    "places": ["test_lieux", "test_carte", "test_fiche", "test_carte_fenetre", "test_carte_web"],
}
# Files only the program itself links (its tests run the libraries).
EXCLUS = {"main.cpp"}

# Lines whose breakage says nothing of the behaviour: logging, texts and the
# spacing of layouts.
LIGNE_IGNOREE = re.compile(
    r"^\s*#|qDebug|qWarning|qInfo|qCritical|fprintf\s*\(\s*stderr|constexpr\s+int\s+Texte"
    r"|\bMLText\s*\(|setToolTip|setWhatsThis|setStatusTip|setWindowTitle|setObjectName"
    r"|setSpacing|setContentsMargins|addSpacing|addStretch|setStretch|setColumnStretch"
    r"|setRowStretch|setHorizontalSpacing|setVerticalSpacing|setMinimum(Width|Height|Size)"
    r"|setMaximum(Width|Height|Size)|setFixed(Width|Height|Size)|\bresize\s*\(|addWidget|addLayout"
    r"|addRow|setColumnWidth|static_assert|Q_OBJECT|^\s*(public|private|protected)\s*:"
    r"|=\s*(delete|default)\s*;|\.reserve\(")

# Timing constants (timer intervals, event loop slices): one millisecond
# more or less changes nothing a test can tell.
LIGNE_DE_DUREE = re.compile(r"singleShot|processEvents|setInterval|->start\(\s*\d|\.start\(\s*\d")

COMPARAISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
RE_COMPARAISON = re.compile(r"(?<= )(<=|>=|==|!=|<|>)(?= )")
RE_LOGIQUE = re.compile(r"(?<= )(&&|\|\|)(?= )")
RE_BOOLEEN = re.compile(r"\b(true|false)\b")
RE_NON = re.compile(r"!(?!=)")
RE_ENTIER = re.compile(r"(?<![\w.'])(\d+)(?![\w.'])")
RE_DEUX_ARGS = re.compile(
    r"\b\w+\s*\(\s*([A-Za-z_][\w.]*(?:->\w+)*(?:\(\))?)\s*,\s*([A-Za-z_][\w.]*(?:->\w+)*(?:\(\))?)\s*\)")
RE_DEBUT_INSTRUCTION = re.compile(r"^\s*(?!return\b|case\b|default\b|else\b|using\b|typedef\b"
                                  r"|namespace\b|template\b|class\b|struct\b|enum\b)[\w:*(~]")


def masque(lignes):
    """The code of each line with comments removed and the contents of
    string and character literals blanked, same length as the line."""
    resultat = []
    dans_commentaire = False
    for ligne in lignes:
        sortie = []
        i = 0
        n = len(ligne)
        while i < n:
            if dans_commentaire:
                fin = ligne.find("*/", i)
                if fin < 0:
                    sortie.append(" " * (n - i))
                    i = n
                else:
                    sortie.append(" " * (fin + 2 - i))
                    i = fin + 2
                    dans_commentaire = False
                continue
            c = ligne[i]
            if ligne.startswith("//", i):
                sortie.append(" " * (n - i))
                break
            if ligne.startswith("/*", i):
                dans_commentaire = True
                sortie.append("  ")
                i += 2
                continue
            if c in "\"'":
                # A raw string R"(...)" on one line is blanked as a whole.
                if c == '"' and i > 0 and ligne[i - 1] == "R":
                    fin = ligne.find(')"', i)
                    fin = n if fin < 0 else fin + 2
                    sortie.append('"' + " " * (fin - i - 2) + '"' if fin - i >= 2 else " " * (fin - i))
                    i = fin
                    continue
                j = i + 1
                while j < n and ligne[j] != c:
                    j += 2 if ligne[j] == "\\" else 1
                j = min(j, n - 1)
                sortie.append(c + " " * (j - i - 1) + (ligne[j] if j > i else ""))
                i = j + 1
                continue
            sortie.append(c)
            i += 1
        resultat.append("".join(sortie)[:len(ligne)].ljust(len(ligne)))
    return resultat


def fin_de_code(code):
    s = code.strip()
    return s[-1] if s else ""


def mutations_de_ligne(code, precedent):
    """Every breakage of one line: (kind, column, old text, new text)."""
    res = []
    for m in RE_COMPARAISON.finditer(code):
        res.append(("comparaison", m.start(), m.group(1), COMPARAISONS[m.group(1)]))
    for m in RE_LOGIQUE.finditer(code):
        res.append(("logique", m.start(), m.group(1), "||" if m.group(1) == "&&" else "&&"))
    for m in RE_BOOLEEN.finditer(code):
        res.append(("booleen", m.start(), m.group(1), "false" if m.group(1) == "true" else "true"))
    for m in RE_NON.finditer(code):
        res.append(("non", m.start(), "!", ""))
    for m in RE_ENTIER.finditer(code):
        valeur = int(m.group(1))
        if code[max(0, m.start() - 2):m.start()].lower() == "0x":
            continue
        for delta in (1, -1):
            if valeur + delta >= 0:
                res.append(("entier", m.start(), m.group(1), str(valeur + delta)))
    for m in RE_DEUX_ARGS.finditer(code):
        a, b = m.group(1), m.group(2)
        if a != b:
            debut = m.start(1)
            ancien = code[debut:m.end(2)]
            res.append(("echange", debut, ancien, b + ", " + a))
    s = code.strip()
    if (s.endswith(";") and RE_DEBUT_INSTRUCTION.match(code)
            and (("(" in s) or (" = " in s) or s in ("break;", "continue;") or "++" in s or "--" in s
                 or re.search(r"[-+*/|&]=", s))
            and fin_de_code(precedent) in ("", ";", "{", "}", ")", ":")
            and not s.startswith("for ") and not s.startswith("for(")):
        res.append(("suppression", len(code) - len(code.lstrip()), s, ";"))
    return res


def tombe_dans_un_defaut_vide(codes, i):
    """True when line i is a `break;` followed by an empty `default:`: falling
    through into it changes nothing, so removing it cannot break anything."""
    suite = [c.strip() for c in codes[i + 1:] if c.strip()][:2]
    return (len(suite) == 2 and suite[0] == "default:" and suite[1] in ("break;", "}")) \
        or (suite[:1] == ["default: break;"])


def candidats(dossier):
    """All breakages of the folder's production files, by file and line."""
    res = []
    for fichier in sorted((RACINE / dossier).glob("*.cpp")):
        if fichier.name in EXCLUS:
            continue
        lignes = fichier.read_text(encoding="utf-8").split("\n")
        codes = masque(lignes)
        precedent = ""
        for no, (ligne, code) in enumerate(zip(lignes, codes), start=1):
            if not code.strip():
                continue
            if not LIGNE_IGNOREE.search(ligne):
                muts = mutations_de_ligne(code, precedent)
                if LIGNE_DE_DUREE.search(ligne):
                    muts = [m for m in muts if m[0] != "entier"]
                if code.strip() == "break;" and tombe_dans_un_defaut_vide(codes, no - 1):
                    muts = [m for m in muts if m[0] != "suppression"]
                if muts:
                    res.append((fichier.relative_to(RACINE).as_posix(), no, ligne, muts))
            precedent = code
    return res


def applique(ligne, mutation):
    genre, colonne, ancien, nouveau = mutation
    if genre == "suppression":
        return ligne[:colonne] + ";"
    assert ligne[colonne:colonne + len(ancien)] == ancien, (ligne, mutation)
    return ligne[:colonne] + nouveau + ligne[colonne + len(ancien):]


class Fichier:
    """A production file changed for one round and always put back."""

    def __init__(self, chemin):
        self.chemin = RACINE / chemin
        self.original = self.chemin.read_bytes()

    def ecrit(self, lignes):
        self.chemin.write_text("\n".join(lignes), encoding="utf-8")

    def restaure(self):
        try:
            self.chemin.write_bytes(self.original)
        except OSError:
            subprocess.run(["git", "checkout", "--", str(self.chemin)], cwd=RACINE, check=False)


def construit(build, cibles, jobs):
    r = subprocess.run(["cmake", "--build", build, "-j", str(jobs), "--target", *cibles],
                       cwd=RACINE, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return r.returncode == 0, r.stdout


def lance_tests(build, tests, delai):
    """The first test program that fails, with its first failing test, or None."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for t in tests:
        try:
            r = subprocess.run([str(Path(build) / "tests" / t)], cwd=Path(build) / "tests", env=env,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=delai,
                               start_new_session=True)
        except subprocess.TimeoutExpired:
            return f"{t}: temps dépassé"
        if r.returncode != 0:
            sortie = r.stdout.decode("utf-8", "replace")
            echec = re.search(r"^\[  FAILED  \] (\S+)", sortie, re.M)
            raison = echec.group(1) if echec else f"code {r.returncode}"
            return f"{t}: {raison}"
    return None


def une_ronde(build, tests, jobs, delai, chemin, no, mutation, ligne_attendue=None):
    """Applies one breakage, builds, tests, restores. Returns the outcome:
    'tue' (caught), 'survit', 'compile pas' or 'introuvable'."""
    f = Fichier(chemin)
    lignes = f.original.decode("utf-8").split("\n")
    if ligne_attendue is not None and (no > len(lignes) or lignes[no - 1] != ligne_attendue):
        # The file moved since the log: find the same line nearby.
        proches = [i for i, l in enumerate(lignes, start=1) if l == ligne_attendue]
        if not proches:
            return "introuvable", "", no
        no = min(proches, key=lambda i: abs(i - no))
    try:
        lignes[no - 1] = applique(lignes[no - 1], mutation)
        f.ecrit(lignes)
        ok, sortie = construit(build, tests, jobs)
        if not ok:
            return "compile pas", "", no
        raison = lance_tests(build, tests, delai)
        return ("tue", raison, no) if raison else ("survit", "", no)
    finally:
        f.restaure()


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("dossier", choices=sorted(DOSSIERS))
    p.add_argument("-n", type=int, default=40, help="breakages that compile to try")
    p.add_argument("--seed", type=int, default=None)
    p.add_argument("--build", default=str(RACINE / "build"))
    p.add_argument("-j", "--jobs", type=int, default=6)
    p.add_argument("--delai", type=int, default=120, help="seconds per test program")
    p.add_argument("--log", default=None)
    p.add_argument("--rejoue", default=None, help="a log whose rounds are run again")
    p.add_argument("--survivants", action="store_true", help="with --rejoue: survivors only")
    p.add_argument("--liste", action="store_true", help="count the candidates and stop")
    a = p.parse_args()

    # SIGTERM ends the round like Ctrl-C, so that the file is restored.
    signal.signal(signal.SIGTERM, lambda *_: (_ for _ in ()).throw(KeyboardInterrupt()))
    tests = DOSSIERS[a.dossier]
    tout = candidats(a.dossier)
    if a.liste:
        n = sum(len(m) for *_, m in tout)
        print(f"{a.dossier}: {len(tout)} lignes, {n} breakages")
        return 0
    log = Path(a.log or Path(a.build) / f"mutation-{a.dossier}.jsonl")

    if a.rejoue:
        rondes = [json.loads(l) for l in Path(a.rejoue).read_text().splitlines() if l.strip()]
        rondes = [r for r in rondes if r["resultat"] in ("tue", "survit")]
        if a.survivants:
            rondes = [r for r in rondes if r["resultat"] == "survit"]
        a.n = len(rondes)
        suivantes = iter(rondes)
    else:
        rng = random.Random(a.seed)
        ordre = list(range(len(tout)))
        rng.shuffle(ordre)
        suivantes = iter(ordre)

    # The tests must pass on the code as it is, or every breakage "is caught".
    ok, sortie = construit(a.build, tests, a.jobs)
    if not ok:
        print(sortie[-3000:])
        return 2
    raison = lance_tests(a.build, tests, a.delai)
    if raison:
        print(f"Les tests échouent déjà: {raison}")
        return 2

    tues = survivants = essais = 0
    debut = time.time()
    with open(log, "a", encoding="utf-8") as sortie_log:
        try:
            while tues + survivants < a.n:
                try:
                    x = next(suivantes)
                except StopIteration:
                    break
                if a.rejoue:
                    chemin, no, ligne = x["fichier"], x["ligne"], x["texte"]
                    mutation = tuple(x["mutation"])
                else:
                    chemin, no, ligne, muts = tout[x]
                    mutation = rng.choice(muts)
                essais += 1
                res, raison, no = une_ronde(a.build, tests, a.jobs, a.delai, chemin, no, mutation,
                                            ligne)
                if res == "tue":
                    tues += 1
                elif res == "survit":
                    survivants += 1
                rec = {"dossier": a.dossier, "fichier": chemin, "ligne": no, "texte": ligne,
                       "mutation": list(mutation), "apres": applique(ligne, mutation).strip(),
                       "resultat": res, "par": raison}
                sortie_log.write(json.dumps(rec, ensure_ascii=False) + "\n")
                sortie_log.flush()
                print(f"[{tues + survivants}/{a.n}] {res:12} {chemin}:{no}  {ligne.strip()}"
                      f"  =>  {rec['apres']}  {raison}", flush=True)
        except KeyboardInterrupt:
            print("Interrompu; fichier restauré.")
        finally:
            # Leave the build matching the restored sources.
            construit(a.build, tests, a.jobs)
    total = tues + survivants
    if total:
        print(f"{a.dossier}: {tues}/{total} attrapées ({100 * tues / total:.0f} %), "
              f"{essais - total} hors compte, {time.time() - debut:.0f} s; journal {log}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
