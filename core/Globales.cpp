#include "Globales.h"

QString FichierCourant;
int BaseModifiee = 0;
int LangueActive = 1;
int RefPers = 1;
QString NomModeleDefaut = QStringLiteral("defaut");
QString NomLook;
QString FichierFete;
QString FichierAnniFete;

QString DossierModele;
QString DossierArbre;
QString DossierImageArbre;
QString DossierRapport;
QString DossierCarte;
QString DossierLieu;
QString DossierSkin;
QString DossierParamUser;
QString DossierGenealogie;
QString DossierExemples;
QString DossierArbreUser;
QString DossierRapportUser;
QString DossierCarteUser;
QString DossierImageArbreUser;
QString DossierImpressionModeles;
QString DossierImpressionImages;
QString DossierImpressionSkin;
QString DossierImpressionModelesUser;
