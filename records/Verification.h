#pragma once

#include <QStringList>

class QWidget;
class TBD;

// Database verification: checks and repairs the links between persons,
// unions and the event table, so that every event is listed by exactly one
// person or union and every listed number names an event in use.
//
// The persons in use are walked in number order, then the unions in use,
// each over its event list from the first entry:
//  - a number outside the event table is removed from the list;
//  - an event already listed earlier (by the same owner, another person or
//    a union) is doubled: the entry is replaced by a copy of the event,
//    appended at the end of the list and examined in its turn. When the
//    event table is full the entry is kept as it is and the line says that
//    it could not be doubled;
//  - an event listed but free is marked in use again (its fields as they
//    are);
//  - otherwise the list becomes the event's owner.
// Then every event in use that nobody lists is freed.
//
// While it runs, new events are only appended (TBD::AppendOnly), so that no
// slot freed before the run, which a later list may still name, is taken;
// the flag is cleared at the end. BaseModifiee is set when something was
// repaired.
//
// Returns the report, one line per repair (language texts 7702 to 7708), in
// the order of the walk; empty when nothing was wrong (the database is then
// left untouched).
QStringList VerifieBase(TBD &bd);

// The options window's "Vérifier la base de donnée": asks first (warning,
// Yes/No, text 7700) and does nothing unless the answer is Yes; then runs
// VerifieBase and shows its report in the note editor over `parent`, or
// says "Aucun problème constaté." (text 7701). True when something was
// repaired, so that the caller refreshes its views.
bool VerificationBase(TBD &bd, QWidget *parent);
