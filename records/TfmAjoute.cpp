// in progress
#include "TfmAjoute.h"
TfmAjoute::TfmAjoute(TBD &bd, TRelatifs &relatifs, THoteRelatifs &hote, QWidget *parent)
    : QDialog(parent), m_bd(bd), m_relatifs(relatifs), m_hote(hote) {}
void TfmAjoute::Affiche() {}
void TfmAjoute::B_OkClick() {}
void TfmAjoute::showEvent(QShowEvent *event) { QDialog::showEvent(event); }
