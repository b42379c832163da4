#pragma once

#include "Listes.h"
#include "Statistiques.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QProgressBar;
class TBD;
class TfmRapport;
class TxiloGraph;
struct TReglagesStat;

// "Statistiques": a tool window that computes one of the statistics of
// Statistiques.h over a source list of persons, draws it as a bar graph
// (Graph) with its commentary in the memo M, and turns a clicked column into
// a report.
//
// Controls: cbVoir (the 29 entries of the statistics list; a separator
// chooses entry 0), cbPour (the source: "Toutes les personnes", "Né entre
// date", "Selon rapport"), pMinMax with eMin and eMax and pPas with ePas (the
// age range of the age statistics, the year range of the year statistics;
// hidden for the others), lVal (the value under the mouse), PB (progress).
//
// Sources: every person in use; the persons born in a period asked with
// DemandePeriode (cancelled: every person); the persons of the report grid's
// rows whose value is a person in use (none: language text 701, then every
// person). Leaving a range edit or pressing Enter in it reads the three
// edits: a text that is not a number reads 0, Max is raised above Min and
// Pas to at least 1; a range needing more than MaxColonnesStat columns is
// refused with a message and the previous range stays.
//
// Each showing starts from the years 1900..2000 and the ages 0..100, both by
// steps of 10, whatever the settings held; the ranges then go to the
// settings (`reglages`, section gene\Stat of gene.ini) at each change. The
// birth period is the settings' own. pMinMax also shows while the source is
// "Né entre date", for every statistic. The database, the report window and
// the settings must outlive the window.
class TfmStat final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmStat)

public:
    // `imprimante` gives the printer of the program: the system's printer,
    // else a PDF printer (a file is then asked for).
    TfmStat(const TBD &bd, TfmRapport &rapport, TReglagesStat &reglages,
            std::function<QPrinter &()> imprimante, QWidget *parent = nullptr);
    ~TfmStat() override;

    TxiloGraph *Graph() const { return m_graph; }
    // The persons the statistic is computed over, and those counted in the
    // selected column (once per count).
    const TR &Source() const { return m_source; }
    const TR &Resultat() const { return m_resultat.Resultat; }
    // The column whose persons Resultat holds, -1 for none.
    int ColonneSelectionnee() const { return m_colonne; }

    // Computes the chosen statistic over the source and redraws it.
    void Affiche();
    // Puts the graph's columns in the report window as a table of two
    // columns (texts 859 and 860), one row per column, captioned with the
    // statistic's name, and shows that window. Does nothing while the report
    // window is filling.
    void StatToRapport();
    // Prints the window as shown, scaled to the page; false when nothing was
    // printed (cancelled, or the user has been told why). Printed into a
    // file, Enregistrees gives that file.
    bool Imprime();
    // The database was replaced: the source goes back to every person.
    void BaseRechargee();

signals:
    // The window was shown or hidden by the program or the user (not by
    // minimising its owner).
    void Montree();
    void Cachee();
    // Imprime wrote the statistics into the file `fichier` (a PDF file):
    // nothing came out of a printer, the user is to be told where it is.
    void Enregistrees(const QString &fichier);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    class TProgressionStat;

    void cbVoirChange();
    void cbPourChange();
    // Builds the source of the choice of cbPour; `demande` asks the birth
    // period again, else the stored one serves.
    void ChoisitSource(bool demande);
    void MinMaxPasExit();
    // pMinMax and pPas as the statistic and the source ask.
    void MontrePanneaux();
    void GraphMouseMove(int col, int val);
    void GraphMouseColonneClick(int col);
    TPlageStat &PlageCourante();
    void MontrePlage();
    int Statistique() const;

    const TBD &m_bd;
    TfmRapport &m_rapport;
    TReglagesStat &m_reglages;
    std::function<QPrinter &()> m_imprimante;

    QComboBox *m_cbVoir;
    QComboBox *m_cbPour;
    QWidget *m_pMinMax;
    QWidget *m_pPas;
    QLineEdit *m_eMin;
    QLineEdit *m_eMax;
    QLineEdit *m_ePas;
    QPlainTextEdit *m_m;
    TxiloGraph *m_graph;
    QLabel *m_lVal;
    QProgressBar *m_pb;
    std::unique_ptr<TProgressionStat> m_progression;

    TR m_source;
    TResultatStat m_resultat;
    int m_colonne = -1;
    // 0: the edits show the year range, 1: the age range.
    int m_mode = 0;
    TPlageStat m_ages;
    TPlageStat m_annees{1900, 2000, 10};
    bool m_premiere = true;
    bool m_calcul = false;
};
