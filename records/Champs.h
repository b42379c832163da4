#pragma once

#include "Textes.h"

#include <QString>

#include <vector>

// The user-defined fields text of a person (person field 23 of TBD).
//
// The text is a sequence of entries, each written as
//     kind "|" label "|" value "|"
// for example "t|Profession|Menuisier|r|Parrain|Oui|". Kinds: "t" one-line
// text, "m" multi-line text (lines joined by CR LF), "d" date, "l" place,
// "r" yes/no ("Oui", "Non" or empty). An entry of any other kind is kept as
// it is but gets no editor. No part of an entry may contain "|".
//
// Nothing here depends on Qt Widgets.

// One entry of the fields text.
struct TEntreeChamp {
    QString Sorte;    // kind: "t", "m", "d", "l", "r" or anything else
    QString Libelle;  // label
    QString Valeur;   // value

    bool operator==(const TEntreeChamp &) const = default;
};

// The entries of a fields text, in text order (0-based).
using TTableChamps = std::vector<TEntreeChamp>;

// SansSeparateur (Textes.h) keeps a label or a value from breaking the
// fields text; every writer of labels and values goes through it.

// Splits a fields text into its entries, every entry kept (empty values
// included, no merging). The text is cut at each "|" and the pieces are taken
// three at a time (kind, label, value) as long as text remains; a text that
// stops inside an entry leaves the missing pieces empty, so "t|A|1" still
// gives the entry (t, A, 1) and "t|A" gives (t, A, ""). An empty text gives
// no entry. On well-formed texts this agrees with TBD::GetAttribute.
TTableChamps DecoupeChamps(const QString &texte);

// The fields text of a table: each entry whose value is not empty, in table
// order, written as kind|label|value|. Kind, label and value pass through
// SansSeparateur, so the result always splits back into the same entries.
QString AssembleChamps(const TTableChamps &table);

// The rows a person's record shows: first the definition entries (split
// from `definitions`, in their order), then the person's other entries in
// their order. Each entry of `personne` takes the place of the first
// definition entry with the same label (exact, letter case counts) that no
// earlier person entry took; its kind, label and value replace the
// definition's. A person entry that finds no free definition is appended,
// so two person entries with the same label stay two entries.
TTableChamps FusionneChamps(const QString &definitions, const QString &personne);

// Yes/no values ("r" kind).
enum class TOuiNon {
    Oui,     // "oui" in any letter case, blanks around ignored
    Non,     // "non" likewise
    Nul,     // empty or blank
    Inconnu  // anything else: shown as no choice, kept as it is
};

// What a yes/no value reads as.
TOuiNon LitOuiNon(const QString &valeur);
// The value a click on a choice writes: "Oui", "Non", or "" for Nul and
// Inconnu.
QString TexteOuiNon(TOuiNon choix);

// The text of a multi-line editor as a value: lines joined by CR LF, without
// the trailing blanks, tabs, CR and LF of the whole text. Lone LF and lone CR
// line ends become CR LF.
QString ValeurMultiligne(const QString &texteEditeur);
