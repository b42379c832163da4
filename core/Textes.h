#pragma once

#include <functional>

#include <QString>
#include <QStringList>

// Small text helpers shared by every subsystem.

// The text without its trailing blanks (spaces and tabs).
QString StripTrailingBlanks(const QString &texte);
// Each CR LF (and each lone CR or LF) replaced by one blank.
QString RetireRetourLigne(const QString &texte);
// The note text to store from what a multi-line editor holds: lines joined
// by CR LF, without trailing blanks and line breaks.
QString TexteNote(const QString &memo);
// The text with &, <, >, " and ' written as HTML entities, so that it can
// neither open a tag nor end an attribute value. Every text that comes from
// a person or from the user goes through it, in element content and in
// attribute values alike.
QString EchappeHtml(const QString &texte);
// The pieces of a text between separators, 0-based; the last piece is what
// follows the last separator (so "a|b|" gives "a", "b", ""). An empty
// separator gives the whole text as the one piece.
QStringList SplitFields(const QString &separateur, const QString &texte);
// The text with every "|" replaced by a blank: the one rule that keeps a
// label or a value typed or pasted by the user from breaking a user-defined
// fields text ("kind|label|value|...").
QString SansSeparateur(const QString &texte);
// A real with two decimals and a decimal comma, as French readers expect
// ("3,14", "-0,50"); no thousands separator.
QString FloatToStr2(double x);
// The height at which a text fits a line of `place` pixels: the largest
// height from `hauteur` down to 1 whose width largeur(h) is at most `place`;
// 1 when even that one is wider (the floor); `hauteur` itself when it fits or
// is 1 or less. A text's width grows with its height, and the answer is then
// the one a descent one pixel at a time would reach, found in a few calls of
// `largeur` whatever `hauteur` is: three for a usual text, a few dozen at
// most for the largest heights (each height is tried once).
int HauteurQuiTient(int hauteur, int place, const std::function<int(int)> &largeur);
