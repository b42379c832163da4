#include "Fetes.h"

#include "Dates.h"
#include "Fichiers.h"
#include "Ini.h"

#include <QFileInfo>

namespace {

const QString &sectionFetes()
{
    static const QString s = QStringLiteral("Fêtes");
    return s;
}

QString cle(int mois, int jour)
{
    return QStringLiteral("m%1j%2").arg(mois).arg(jour);
}

// One line per month, days separated by ";".
const char *const Calendrier[12] = {
    "Marie;Basile;Geneviève;Odilon;Édouard;Mélaine;Raymond;Lucien;Alix;Guillaume;Paulin;Tatiana;"
    "Yvette;Nina;Rémi;Marcel;Roseline;Prisca;Marius;Sébastien;Agnès;Vincent;Barnard;François;Paul;"
    "Paule;Angèle;Thomas;Gildas;Martine;Marcelle",
    "Ella;Théophane;Blaise;Véronique;Agathe;Gaston;Eugénie;Jacqueline;Apolline;Arnaud;Bernadette;"
    "Félix;Béatrice;Valentin;Claude;Julienne;Alexis;Bernadette;Gabin;Aimée;Damien;Isabelle;Lazare;"
    "Modeste;Roméo;Nestor;Honorine;Romain;Auguste",
    "Aubin;Charles;Guénolé;Casimir;Olive;Colette;Félicité;Jean;Françoise;Vivien;Rosine;Justine;"
    "Rodrigue;Mathilde;Louise;Bénédicte;Patrice;Cyrille;Joseph;Herbert;Clémence;Léa;Victorien;"
    "Catherine;Humbert;Larissa;Habib;Gontran;Gwladys;Amédée;Benjamin",
    "Hugues;Sandrine;Richard;Isidore;Irène;Marcellin;Jean-Baptiste;Julie;Gautier;Fulbert;Stanislas;"
    "Jules;Ida;Maxime;Paterne;Benoît-Joseph;Anicet;Parfait;Emma;Odette;Anselme;Alexandre;Georges;"
    "Fidèle;Marc;Alida;Zita;Valérie;Catherine;Robert",
    "Jérémie;Boris;Philippe, Jacques;Sylvain;Judith;Prudence;Gisèle;Désiré;Pacôme;Solange;Estelle;"
    "Achille;Rolande;Matthias;Denise;Honoré;Pascal;Éric;Yves;Bernardin;Constantin;Émile;Didier;"
    "Donatien;Sophie;Bérenger;Augustin;Germain;Aymar;Ferdinand;Perrine",
    "Justin;Blandine;Kévin;Clotilde;Igor;Norbert;Gilbert;Médard;Diane;Landry;Barnabé;Guy;Antoine;"
    "Élisée;Germaine;Jean-François;Hervé;Léonce;Romuald;Silvère;Rodolphe;Alban;Audrey;Jean-Baptiste;"
    "Prosper;Anthelme;Fernand;Irénée;Pierre, Paul;Martial",
    "Thierry;Martinien;Thomas;Florent;Antoine;Mariette;Raoul;Thibaut;Amandine;Ulrich;Benoît;Olivier;"
    "Henri, Joël;Camille;Donald;Carmen;Charlotte;Frédéric;Arsène;Marina;Victor;Marie-Madeleine;"
    "Brigitte;Christine;Jacques;Anne, Joachim;Nathalie;Samson;Marthe;Juliette;Ignace",
    "Alphonse;Julien;Lydie;Jean-Marie;Abel;Octavien;Gaétan;Dominique;Amour;Laurent;Claire;Clarisse;"
    "Hippolyte;Evrard;Marie;Armel;Hyacinthe;Hélène;Jean-Eudes;Bernard;Christophe;Fabrice;Rose;"
    "Barthélemy;Louis;Natacha;Monique;Augustin;Sabine;Fiacre;Aristide",
    "Gilles;Ingrid;Grégoire;Rosalie;Raïssa;Bertrand;Reine;Adrien;Alain;Inès;Adelphe;Apollinaire;"
    "Aimé;Lubin;Roland;Édith;Renaud;Nadège;Émilie;Davy;Matthieu;Maurice;Constant;Thècle;Hermann;"
    "Côme, Damien;Vincent;Venceslas;Michel, Gabriel, Raphaël;Jérôme",
    "Thérèse;Léger;Gérard;François;Fleur;Bruno;Serge;Pélagie;Denis;Ghislain;Firmin;Wilfried;Géraud;"
    "Juste;Thérèse;Edwige;Baudouin;Luc;René;Adeline;Céline;Élodie;Jean;Florentin;Crépin;Dimitri;"
    "Émeline;Simon, Jude;Narcisse;Bienvenue;Quentin",
    "Toussaint;Victorin;Hubert;Charles;Sylvie;Bertille;Carine;Geoffroy;Théodore;Léon;Martin;"
    "Christian;Brice;Sidoine;Albert;Marguerite;Élisabeth;Aude;Tanguy;Edmond;Maur;Cécile;Clément;"
    "Flora;Catherine;Delphine;Séverin;Jacques;Saturnin;André",
    "Florence;Viviane;François-Xavier;Barbara;Gérald;Nicolas;Ambroise;Elfried;Pierre;Romaric;Daniel;"
    "Jeanne-Françoise;Lucie;Odile;Ninon;Alice;Gaël;Gatien;Urbain;Théophile;Pierre;Françoise-Xavière;"
    "Armand;Adèle;Noël;Étienne;Jean;Gaspard;David;Roger;Sylvestre",
};

} // namespace

QString FeteFrancaise(int mois, int jour)
{
    if (mois < 1 || mois > 12 || jour < 1)
        return QString();
    const QStringList jours = QString::fromUtf8(Calendrier[mois - 1]).split(QLatin1Char(';'));
    if (jour > jours.size())
        return QString();
    return jours[jour - 1];
}

bool LitFetes(const QString &chemin, QString *erreur)
{
    // A file the settings reader cannot read reads as an empty one: the
    // table would lose every name day.
    const TIniFile ini(chemin, TEncodage::Windows1252);
    if (const QString raison = QFileInfo::exists(chemin) ? ini.ReadError() : ObstacleLecture(chemin);
        !raison.isEmpty()) {
        if (erreur)
            *erreur = raison;
        return false;
    }
    TTableFetes table;
    for (int mois = 1; mois <= 12; ++mois) {
        for (int jour = 1; jour <= 31; ++jour)
            table.Put(mois, jour, ini.ReadString(sectionFetes(), cle(mois, jour)));
    }
    TableFetes() = table;
    return true;
}

bool EcritFetesFrancaises(const QString &chemin)
{
    TIniFile ini(chemin, TEncodage::Windows1252);
    for (int mois = 1; mois <= 12; ++mois) {
        for (int jour = 1; jour <= 31; ++jour) {
            const QString prenoms = FeteFrancaise(mois, jour);
            if (!prenoms.isEmpty())
                ini.WriteString(sectionFetes(), cle(mois, jour), prenoms);
        }
    }
    return ini.UpdateFile();
}
