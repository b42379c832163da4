#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class TBD;

// Panel pWeb of the report options window: the ancestry web page of the
// current person (PageAscendance, PagesHtml.h), shown in the user's browser.
//
// Controls, found by objectName: lWeb, the current person's name ("Par
// rapport à :"); lbWeb, the kind of page: "L'ascendance par générations",
// "L'ascendance par génération avec les absents", "Les ascendants manquants";
// cbWebFratrie "Afficher la fratrie"; cbWebConjoints "Afficher les autres
// conjoints"; cbWebComp "Complément d'information" with the template eWebComp
// (at first "(<eve:Naissance,Année>-<eve:Décès,Année>)", the years of birth
// and death) and its builder button bWebComp "?" (the field-code builder on
// the template; its result replaces it, a cancelled builder empties it), both
// shown only while cbWebComp is checked; seWebGen "Générations" (1 to 99, default
// 5, the person being the first); Button1 "Afficher" and Button3 "&Fermer"
// (asks for the window to close, Ferme).
//
// "Afficher" builds the page of the chosen kind for the current person (the
// complement only while cbWebComp is checked), writes it titled "Rapport"
// under the first free name "rapport" + N + ".htm" of the HTML export folder
// (NomPageHtmlLibre, EcritPageHtml), with the style sheet beside it, and
// shows it in the user's browser (AffichePageHtml). A page that cannot be
// written is told (language text 8524, through Dialogues()) and nothing is
// shown. With no current person it does nothing.
class TPanneauWeb final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TPanneauWeb)

public:
    // `personne` gives the current person; it may be empty (no person). bd
    // must outlive the panel.
    TPanneauWeb(const TBD &bd, std::function<int()> personne, QWidget *parent = nullptr);
    ~TPanneauWeb() override;

    // The window's showing: the current person's name in lWeb, the first
    // kind chosen when none is.
    void Initialise();
    // Shows the current person's name in lWeb.
    void AffichePersonne();

    // "Afficher": writes the page and shows it; the path written, empty when
    // nothing was.
    QString Affiche();

signals:
    // Button3: the options window closes.
    void Ferme();

private:
    void construit();
    void cbWebCompClick();
    void bWebCompClick();

    const TBD &m_bd;
    std::function<int()> m_personne;

    QLabel *m_lWeb = nullptr;
    QListWidget *m_lbWeb = nullptr;
    QCheckBox *m_cbWebFratrie = nullptr;
    QCheckBox *m_cbWebConjoints = nullptr;
    QCheckBox *m_cbWebComp = nullptr;
    QLineEdit *m_eWebComp = nullptr;
    QToolButton *m_bWebComp = nullptr;
    QSpinBox *m_seWebGen = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button3 = nullptr;
};
