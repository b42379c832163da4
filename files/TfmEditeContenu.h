#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TBD;

// The field-code builder: builds a person text template (the texts of the
// tree's box lines, of titles and lists) from the tags ExpandTemplate knows
// (Modeles.h), with one person of the database as the example.
//
// Controls, found by objectName: the tag list `lvBalises` (one row per tag:
// the tag, then its value for the example person), the template edit
// `eContenu`, the button `bInsere` "Insérer", the preview `lApercu` (the
// template expanded for the example person, updated at each change), and the
// buttons `B_Ok` "Ok" and `B_Annuler` "Annuler". A double click on a tag, or
// "Insérer", puts the tag into the edit at its cursor, replacing the
// selected text, and gives the edit the focus back.
class TfmEditeContenu final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmEditeContenu)

public:
    // `bd` must outlive the dialog; `personne` may be 0 or a free slot (the
    // values and the preview are then empty).
    TfmEditeContenu(const TBD &bd, int personne, const QString &texte, QWidget *parent = nullptr);
    ~TfmEditeContenu() override;

    // The template as it stands in the edit.
    QString Contenu() const;

private:
    void Insere(QTreeWidgetItem *item);
    void Apercu();

    const TBD &m_bd;
    int m_personne;
    QTreeWidget *m_balises;
    QLineEdit *m_contenu;
    QLabel *m_apercu;
};

// Opens the field-code builder modally for person p with the start text;
// returns the template built, or an empty text when the user cancelled.
QString EditeContenu(const TBD &bd, int p, const QString &texte, QWidget *parent = nullptr);
