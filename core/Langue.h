#pragma once

#include <QString>
#include <QStringList>

class QObject;

// Language texts: every user-visible text of the program comes from the
// language file modele/langue.txt, looked up by number (MLText) or by key
// (MLTextKey), in the column of the active language (LangueActive,
// Globales.h).
//
// Language file (UTF-8, a byte order mark is allowed; CR LF or LF):
//   - one entry a line: a key, then one column per language, separated by
//     TAB characters; column 1 is French, column 2 the second language...;
//   - the key is either a number (decimal digits only, 0 to 100000) or a
//     text key, usually Form.Component.Property ("fmCarte.Caption",
//     "TQuorWin.sbCharge.Hint"); blanks around the key are ignored; text
//     keys are compared without regard to letter case;
//   - in a text, the two characters backslash-n stand for a line break,
//     backslash-t for a TAB and two backslashes for one backslash; any other
//     backslash is kept as it stands. Nothing else is changed (blanks at the
//     ends of a text are kept);
//   - lines whose first character is "#" and blank lines are comments;
//   - a key given twice keeps its first line; the later ones are ignored;
//   - a line without TAB, a key that is neither a number in range nor a
//     text, and a line longer than 16,384 characters are ignored; a missing
//     column reads as an empty text.
//
// Language settings file (modele/langue.ini, UTF-8, read with TIniFile),
// section [Langue]:
//   Langue=1        active language number (column), 1 to 99, default 1
//   Debug=0         translation-debug switch: 1 shows "[n]" or "[key]" for
//                   texts missing from the file
//   FormatDate=j/m/a  display order of dates; "m/j/a" shows month first
//   Skin=           skin name, empty by default
//
// The tables are global to the program. Load them once at start-up, before
// any other thread reads them; lookups only read and may run from any
// thread while no load runs.

// Reads the whole language file (all columns) into memory, replacing the
// texts loaded before, then runs AppliqueTextesDeBase(). Returns false when
// the file cannot be read (missing, not an ordinary file, unreadable, or
// larger than 64 MiB) or holds no text at all (empty, comments only, every
// line ignored); the texts loaded before are then kept and *erreur says why. On success
// *erreur lists the ignored lines, one per line as "line N: reason", and is
// empty when every line was read. erreur may be null.
bool ChargeLangue(const QString &chemin, QString *erreur = nullptr);

// Sets the database's event type names (SetNomsEvenements, BD.h) from texts
// 201 Naissance, 202 Baptême, 203 Décès, 204 Inhumation, 205 Mariage,
// 206 Divorce and 626 Profession, and NomModeleDefaut (Globales.h) from text
// 2206; a text missing from the file (in the active language and in French)
// leaves the built-in French word. ChargeLangue calls it; call it again after
// changing LangueActive.
void AppliqueTextesDeBase();

// Text number n in the active language; when that column is empty, the
// French column. A number without text gives an empty text, or "[n]" in
// translation-debug mode; so does a number out of range (negative or above
// 100000).
QString MLText(int n);
// MLText(n), or `francais` while the language file lacks text n, so that no
// caption or message ever comes out empty.
QString MLTextOu(int n, const QString &francais);

// Fills a text used as a format, in one pass from left to right: "%s" and
// "%d" take the next argument in order, "%1" to "%9" the argument at that
// position, "%%" gives one "%". A directive without its argument gives
// nothing, arguments left over are ignored, and any other "%" is kept as it
// stands. Arguments are inserted as they are: a "%" inside a name is never
// read as a directive.
QString FormatTexte(const QString &format, const QStringList &arguments);
// FormatTexte(MLText(n), arguments).
QString MLFormat(int n, const QStringList &arguments);

// The same for a text key, compared without regard to case; "[key]" in
// translation-debug mode when missing.
QString MLTextKey(const QString &key);

// Applies the language file's texts to a form and all its descendant
// objects. For the form itself the keys are "<form>.<Property>", for a
// descendant "<form>.<object>.<Property>", the names being objectName()
// values compared without regard to case; every descendant of that name is
// set. Property names of the keys map to Qt properties:
//   Caption -> the form: "windowTitle"; other objects: "text" when the
//              object has it, else "title" (group boxes, menus);
//   Hint    -> "toolTip", and "statusTip" as well;
//   Text    -> "text";
//   other   -> the name with its first letter lower-cased ("PlaceholderText"
//              -> "placeholderText").
// Only declared (Q_PROPERTY), writable properties of type QString are set;
// keys naming no such property or no object are ignored, and no dynamic
// property is ever created. A key whose text is empty in the active
// language and in French leaves the property as it is. form may be null
// (nothing happens).
void MLTranslateForm(QObject *form);

// Translation-debug switch (see MLText); off at start.
void SetDebugLangue(bool actif);
bool DebugLangue();

// The settings of langue.ini.
struct TReglagesLangue {
    int Langue = 1;             // 1 to 99
    bool Debug = false;
    bool MoisAvantJour = false; // FormatDate "m/j/a"; false for "j/m/a"
    QString Skin;
};

// Reads langue.ini and applies what it reads: LangueActive := Langue, the
// translation-debug switch, the date display order (SetOrdreMoisJour,
// Dates.h), then AppliqueTextesDeBase() for the new language. A missing
// file or key gives the default; a language number that is not a number
// from 1 to 99 gives 1; a FormatDate other than "m/j/a"
// (case and blanks ignored) gives "j/m/a".
TReglagesLangue LitReglagesLangue(const QString &chemin);

// Writes the four keys into langue.ini, keeping its other lines (TIniFile);
// FormatDate is written "j/m/a" or "m/j/a". Returns false when the file
// cannot be written (it is then left as it was). Applies nothing.
bool EcritReglagesLangue(const QString &chemin, const TReglagesLangue &reglages);
