// in progress
#include "Relatifs.h"
TRelatifs::TRelatifs(TBD &bd, THoteRelatifs &hote) : m_bd(bd), m_hote(hote) {}
int TRelatifs::AjoutePere(int) { return 0; }
int TRelatifs::AjouteMere(int) { return 0; }
int TRelatifs::AjouteEnfant(int) { return 0; }
int TRelatifs::AjouteConjoint(int) { return 0; }
int TRelatifs::AjouteFratrie(int) { return 0; }
int TRelatifs::AjouteNouvelle() { return 0; }
bool TRelatifs::LiePere(int, int) { return false; }
bool TRelatifs::LieMere(int, int) { return false; }
bool TRelatifs::LieConjoint(int, int) { return false; }
bool TRelatifs::LieEnfant(int, int) { return false; }
bool TRelatifs::LieFratrie(int, int) { return false; }
void TRelatifs::CompleteLienPere(int, int) {}
void TRelatifs::CompleteLienMere(int, int) {}
void TRelatifs::CompleteLienConjoint(int, int) {}
void TRelatifs::CompleteLienEnfant(int, int) {}
void TRelatifs::CompleteLienFratrie(int, int) {}
void TRelatifs::DateNaissanceVers(int, int, int) {}
