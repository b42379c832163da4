#include "Suppression.h"

#include "BD.h"
#include "Globales.h"

int PersonneApresSuppression(const TBD &bd, int courant)
{
    int p = courant;
    if (!bd.PersonInUse(p)) {
        p = bd.PrevPerson(p);
        if (p == 0)
            p = bd.NextPerson(courant);
    }
    if (!bd.PersonInUse(RefPers))
        RefPers = p;
    return p;
}
