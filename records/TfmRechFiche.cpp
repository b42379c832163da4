// in progress
#include "TfmRechFiche.h"
TfmRechFiche::TfmRechFiche(TBD &, TRelatifs &, THoteRelatifs &, QWidget *parent) : QDialog(parent) {}
int TfmRechFiche::ChoisitPersonne(int) { return 0; }
void TfmRechFiche::LiePere(int) {}
void TfmRechFiche::LieMere(int) {}
void TfmRechFiche::LieConjoint(int) {}
void TfmRechFiche::LieEnfant(int) {}
void TfmRechFiche::LieFratrie(int) {}
void TfmRechFiche::Prepare(TModeRecherche, int) {}
int TfmRechFiche::Conclut() { return 0; }
