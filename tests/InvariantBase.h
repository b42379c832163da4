#pragma once

#include "BD.h"

#include <QString>
#include <QStringList>

// Every reference of the database points to a slot in use: fathers, mothers
// and partners (0 allowed), person and union events, person sources.
// Returns the faults found, one line each; empty when the database is sound.
inline QStringList FautesBase(const TBD &bd)
{
    QStringList fautes;
    auto faute = [&fautes](const char *quoi, int ou, int vers) {
        fautes << QString::fromLatin1(quoi).arg(ou).arg(vers);
    };
    for (int p = 1; p <= bd.PersonCount(); ++p) {
        if (!bd.PersonInUse(p))
            continue;
        if (bd.Father(p) != 0 && !bd.PersonInUse(bd.Father(p)))
            faute("person %1: father %2 not in use", p, bd.Father(p));
        if (bd.Mother(p) != 0 && !bd.PersonInUse(bd.Mother(p)))
            faute("person %1: mother %2 not in use", p, bd.Mother(p));
        for (int i = 1; i <= bd.PersonEventCount(p); ++i) {
            if (!bd.EventInUse(bd.PersonEventNumber(p, i)))
                faute("person %1: event %2 not in use", p, bd.PersonEventNumber(p, i));
        }
        for (int i = 1; i <= bd.PersonSourceCount(p); ++i) {
            if (!bd.SourceInUse(bd.PersonSourceNumber(p, i)))
                faute("person %1: source %2 not in use", p, bd.PersonSourceNumber(p, i));
        }
    }
    for (int u = 1; u <= bd.UnionCount(); ++u) {
        if (!bd.UnionInUse(u))
            continue;
        if (bd.Husband(u) != 0 && !bd.PersonInUse(bd.Husband(u)))
            faute("union %1: husband %2 not in use", u, bd.Husband(u));
        if (bd.Wife(u) != 0 && !bd.PersonInUse(bd.Wife(u)))
            faute("union %1: wife %2 not in use", u, bd.Wife(u));
        for (int i = 1; i <= bd.UnionEventCount(u); ++i) {
            if (!bd.EventInUse(bd.UnionEventNumber(u, i)))
                faute("union %1: event %2 not in use", u, bd.UnionEventNumber(u, i));
        }
    }
    return fautes;
}
