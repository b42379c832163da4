#include "TfmFiche.h"

#include "BD.h"
#include "Dates.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "Parente.h"
#include "Relatifs.h"
#include "Suppression.h"
#include "TfmListe.h"
#include "TfmRechFiche.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

// The record form's family commands: the relatives menu PM_AjouteSupprime
// and the double-clicks that reach or add a relative.

namespace {

constexpr int TexteConfirmeSuppression = 536;
constexpr int TexteSeulePersonne = 2210;

// True when at least two persons are in use.
bool PlusieursPersonnes(const TBD &bd)
{
    return bd.NextPerson(bd.NextPerson(0)) != 0;
}

} // namespace

void TfmFiche::SelectionneRelatif(QListWidget *liste, const TR &personnes)
{
    const int ligne = liste->currentRow();
    if (ligne >= 0 && ligne < personnes.Count()) {
        m_hote.SetSelecPers(personnes.Get(ligne + 1));
        return;
    }
    if (ligne == liste->count() - 1)
        AjouteRelatif(liste == m_lbEnfant ? &TRelatifs::AjouteEnfant : &TRelatifs::AjouteFratrie);
}

void TfmFiche::SetRelatifs(TRelatifs *relatifs, TfmRechFiche *recherche)
{
    m_relatifs = relatifs;
    m_recherche = recherche;
}

void TfmFiche::CreeMenuRelatifs()
{
    m_pmAjouteSupprime = new QMenu(this);
    m_pmAjouteSupprime->setObjectName(QStringLiteral("PM_AjouteSupprime"));
    auto entree = [this](const char *nom, const QString &texte, void (TfmFiche::*action)()) {
        QAction *a = m_pmAjouteSupprime->addAction(texte);
        a->setObjectName(QString::fromLatin1(nom));
        if (action)
            connect(a, &QAction::triggered, this, action);
        return a;
    };
    entree("MI_Sel", QStringLiteral("Sélectionner"), &TfmFiche::MI_SelClick);
    entree("MI_Ref", QStringLiteral("Référence de l'arbre (De Cujus)"), &TfmFiche::MI_RefClick);
    entree("MI_Ajoute", QStringLiteral("Créer la personne"), &TfmFiche::MI_AjouteClick);
    entree("MI_Recherche", QStringLiteral("Rechercher dans la liste..."), &TfmFiche::MI_RechercheClick);
    entree("MI_Supprime", QStringLiteral("Supprimer la personne"), &TfmFiche::MI_SupprimeClick);
    entree("MI_Efface", QStringLiteral("Effacer le lien"), &TfmFiche::MI_EffaceClick);

    for (QWidget *controle : std::initializer_list<QWidget *>{m_nom, m_prenoms, m_pere, m_mere, m_lbEnfant,
                                                              m_lbFratrie, m_lbUnion}) {
        controle->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(controle, &QWidget::customContextMenuRequested, this, [this, controle](const QPoint &position) {
            PrepareMenuRelatifs(controle->objectName());
            m_pmAjouteSupprime->popup(controle->mapToGlobal(position));
        });
    }
}

void TfmFiche::PrepareMenuRelatifs(const QString &controle)
{
    m_controleMenu = controle;
    auto montre = [this](const char *nom, bool visible) {
        if (auto *a = m_pmAjouteSupprime->findChild<QAction *>(QString::fromLatin1(nom)))
            a->setVisible(visible);
    };
    const bool plusieurs = PlusieursPersonnes(m_bd);
    const int relatif = RelatifChoisi();
    if (controle == u"E_Pere" || controle == u"E_Mere") {
        montre("MI_Sel", relatif != 0);
        montre("MI_Ref", relatif != 0);
        montre("MI_Ajoute", relatif == 0 && PersonneValide());
        montre("MI_Recherche", plusieurs && PersonneValide());
        montre("MI_Supprime", relatif != 0);
        montre("MI_Efface", relatif != 0);
    } else if (controle == u"E_Nom" || controle == u"E_Pre") {
        montre("MI_Sel", false);
        montre("MI_Ref", PersonneValide());
        montre("MI_Ajoute", !PersonneValide());
        montre("MI_Recherche", true);
        montre("MI_Supprime", plusieurs && PersonneValide());
        montre("MI_Efface", false);
    } else {
        montre("MI_Sel", relatif != 0);
        montre("MI_Ref", relatif != 0);
        montre("MI_Ajoute", PersonneValide() && m_bd.CanAddPerson());
        montre("MI_Recherche", PersonneValide() && m_bd.CanAddPerson());
        montre("MI_Supprime", relatif != 0);
        montre("MI_Efface", relatif != 0);
    }
}

int TfmFiche::RelatifChoisi() const
{
    if (!PersonneValide())
        return 0;
    auto ligne = [](const QListWidget *liste, const TR &personnes) {
        const int i = liste->currentRow();
        return i >= 0 && i < personnes.Count() ? personnes.Get(i + 1) : 0;
    };
    int p = 0;
    if (m_controleMenu == u"E_Pere")
        p = m_bd.Father(m_personne);
    else if (m_controleMenu == u"E_Mere")
        p = m_bd.Mother(m_personne);
    else if (m_controleMenu == u"E_Nom" || m_controleMenu == u"E_Pre")
        p = m_personne;
    else if (m_controleMenu == u"LB_Enfant")
        p = ligne(m_lbEnfant, m_enfants);
    else if (m_controleMenu == u"LB_Fatrie")
        p = ligne(m_lbFratrie, m_freres);
    else if (m_controleMenu == u"LB_Union") {
        const int u = UnionChoisie();
        p = m_bd.Husband(u) == m_personne ? m_bd.Wife(u) : m_bd.Husband(u);
    }
    return m_bd.PersonInUse(p) ? p : 0;
}

void TfmFiche::MI_SelClick()
{
    if (const int p = RelatifChoisi(); p != 0 && p != m_personne)
        m_hote.SetSelecPers(p);
}

void TfmFiche::MI_RefClick()
{
    if (const int p = RelatifChoisi(); p != 0)
        m_hote.ChangeReference(p);
}

void TfmFiche::MI_AjouteClick()
{
    if (m_controleMenu == u"E_Pere")
        AjouteRelatif(&TRelatifs::AjoutePere);
    else if (m_controleMenu == u"E_Mere")
        AjouteRelatif(&TRelatifs::AjouteMere);
    else if (m_controleMenu == u"LB_Enfant")
        AjouteRelatif(&TRelatifs::AjouteEnfant);
    else if (m_controleMenu == u"LB_Fatrie")
        AjouteRelatif(&TRelatifs::AjouteFratrie);
    else if (m_controleMenu == u"LB_Union")
        AjouteRelatif(&TRelatifs::AjouteConjoint);
    else if (m_relatifs && !PersonneValide() && m_relatifs->AjouteNouvelle() != 0)
        m_hote.ArbreModifie();
}

void TfmFiche::MI_RechercheClick()
{
    if (!m_recherche)
        return;
    if (m_controleMenu == u"E_Nom" || m_controleMenu == u"E_Pre") {
        if (const int p = m_recherche->ChoisitPersonne(m_personne); p > 0)
            m_hote.SetSelecPers(p);
        return;
    }
    if (!PersonneValide())
        return;
    const int r = m_personne;
    if (m_controleMenu == u"E_Pere")
        m_recherche->LiePere(r);
    else if (m_controleMenu == u"E_Mere")
        m_recherche->LieMere(r);
    else if (m_controleMenu == u"LB_Enfant")
        m_recherche->LieEnfant(r);
    else if (m_controleMenu == u"LB_Fatrie")
        m_recherche->LieFratrie(r);
    else if (m_controleMenu == u"LB_Union")
        m_recherche->LieConjoint(r);
    Affiche();
    m_hote.ArbreModifie();
}

void TfmFiche::MI_SupprimeClick()
{
    if (!PersonneValide())
        return;
    if (!PlusieursPersonnes(m_bd)) {
        AppMessageBox(MLText(TexteSeulePersonne), MsgAvertissement, BoutonsOk);
        return;
    }
    const int cible = RelatifChoisi();
    if (cible == 0 || !AskYesNo(MLFormat(TexteConfirmeSuppression, {m_bd.FullName(cible)})))
        return;
    if (cible == m_personne) {
        // The form moves to a close relative before its person goes.
        int suivante = m_bd.Father(cible);
        if (!m_bd.PersonInUse(suivante))
            suivante = m_bd.Mother(cible);
        if (!m_bd.PersonInUse(suivante))
            suivante = LastSpouse(m_bd, cible);
        if (m_bd.PersonInUse(suivante))
            m_hote.SetSelecPers(suivante);
    }
    m_bd.DeletePerson(cible);
    BaseModifiee = 1;
    m_liste->Invalide();
    m_hote.SetSelecPers(PersonneApresSuppression(m_bd, m_hote.SelecPers()));
    Affiche();
    m_hote.PersonnesSupprimees();
}

void TfmFiche::MI_EffaceClick()
{
    const int p = m_personne;
    const int relatif = RelatifChoisi();
    if (relatif == 0 || relatif == p)
        return;
    if (m_controleMenu == u"E_Pere") {
        m_bd.SetFather(p, 0);
    } else if (m_controleMenu == u"E_Mere") {
        m_bd.SetMother(p, 0);
    } else if (m_controleMenu == u"LB_Enfant") {
        // Only the link that points to this person: a child of unknown
        // parents' sexes keeps its other parent.
        if (m_bd.Father(relatif) == p)
            m_bd.SetFather(relatif, 0);
        if (m_bd.Mother(relatif) == p)
            m_bd.SetMother(relatif, 0);
    } else if (m_controleMenu == u"LB_Fatrie") {
        // A half-sibling loses only the parent the two share.
        if (m_bd.Father(relatif) == m_bd.Father(p))
            m_bd.SetFather(relatif, 0);
        if (m_bd.Mother(relatif) == m_bd.Mother(p))
            m_bd.SetMother(relatif, 0);
    } else if (m_controleMenu == u"LB_Union") {
        m_bd.ClearUnion(UnionChoisie());
    } else {
        return;
    }
    FicheMAJ();
    Affiche();
    m_hote.ArbreModifie();
}

void TfmFiche::AjouteRelatif(int (TRelatifs::*ajoute)(int))
{
    if (!m_relatifs || !PersonneValide())
        return;
    const int reference = m_personne;
    if ((m_relatifs->*ajoute)(reference) == 0)
        return;
    m_bd.SetField(reference, PcModification, TodayDateText());
    // The new person may have become current (the form then shows it
    // already); otherwise the form shows the new tie.
    if (m_hote.SelecPers() == reference)
        Affiche();
    m_hote.ArbreModifie();
}
