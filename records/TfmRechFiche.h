#pragma once

#include "Recherche.h"

#include <QDialog>

class TBD;
class TRelatifs;
class THoteRelatifs;

// The person search window "Recherche d'une fiche": the one place where a
// person is picked, by name, either to go to it or to link it to a
// reference person as father, mother, sibling, child or spouse.
class TfmRechFiche final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmRechFiche)

public:
    TfmRechFiche(TBD &bd, TRelatifs &relatifs, THoteRelatifs &hote, QWidget *parent = nullptr);

    // Plain search: the chosen person, 0 on cancel.
    int ChoisitPersonne(int reference);
    // Link searches: on OK the link is made (TRelatifs::Lie...).
    void LiePere(int reference);
    void LieMere(int reference);
    void LieConjoint(int reference);
    void LieEnfant(int reference);
    void LieFratrie(int reference);

    // The two halves of each of the calls above, for driving the window
    // without a modal loop: Prepare sets the mode, the reference, the
    // captions and the birth-year window (nothing is shown); after the
    // window was shown and closed, Conclut acts on how it closed (the link
    // for a link mode) and returns the chosen person, 0 when cancelled or
    // refused.
    void Prepare(TModeRecherche mode, int reference);
    int Conclut();
};
