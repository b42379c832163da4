// in progress
#include "TfmAjoutePers.h"
TfmAjoutePers::TfmAjoutePers(TBD &bd, THoteFiche &hote, TfmListe *liste, QWidget *parent)
    : QDialog(parent), m_bd(bd), m_hote(hote), m_liste(liste) {}
void TfmAjoutePers::Prepare(const QString &, int, bool) {}
bool TfmAjoutePers::SaisieIdentite(const QString &, int, bool) { return false; }
void TfmAjoutePers::showEvent(QShowEvent *event) { QDialog::showEvent(event); }
bool TfmAjoutePers::eventFilter(QObject *objet, QEvent *evenement) { return QDialog::eventFilter(objet, evenement); }
