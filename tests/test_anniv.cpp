// The anniversaries file and the reminder: reading and writing the file, the
// lines the reminder shows for a fixed today, its shape and how it closes.

#include <gtest/gtest.h>


#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "AnniFete.h"
#include "BD.h"
#include "CommandesCal.h"
#include "Chemins.h"
#include "Dates.h"
#include "DialoguesScriptes.h"
#include "Fetes.h"
#include "Globales.h"
#include "Ini.h"
#include "Langue.h"
#include "ReponseModale.h"
#include "TfmAnniFete.h"
#include "TfmRapport.h"

using namespace Qt::StringLiterals;

namespace {

std::string S(const QString &s) { return s.toStdString(); }

// Runs `f` as a user without rights on others' files, in a child process
// when the tests run as root, who may read any file; its result, or -1 when
// the child could not become that user.
int CommeUtilisateur(const std::function<int()> &f)
{
    if (::geteuid() != 0)
        return f();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(255);
        ::_exit(f());
    }
    int statut = 0;
    ::waitpid(pid, &statut, 0);
    return WIFEXITED(statut) && WEXITSTATUS(statut) != 255 ? WEXITSTATUS(statut) : -1;
}

// A temporary folder holding the anniversaries file, today fixed, and an
// empty name-day table.
class Anniv : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        FichierAnniFete = m_tmp.filePath(u"AnniFete.mv"_s);
        TableFetes().Clear();
    }
    void TearDown() override
    {
        SetHorloge({});
        TableFetes().Clear();
        FichierAnniFete.clear();
    }
    // Writes the file as the program writes it: Windows-1252, CR LF.
    void fichier(const QString &texte) const
    {
        QFile f(FichierAnniFete);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(EncodeWindows1252(QString(texte).replace(u"\n"_s, u"\r\n"_s)));
    }
    static void aujourdhui(int j, int m, int a) { SetHorloge([=] { return QDate(a, m, j); }); }
    QStringList lignes() const
    {
        TAnniFete af;
        EXPECT_TRUE(LitAnniFete(FichierAnniFete, &af));
        return TfmAnniFete(af).Lignes();
    }

    QTemporaryDir m_tmp;
};

} // namespace

TEST_F(Anniv, EntriesAreReadThreeFieldsAtATime)
{
    const struct { QString texte; QStringList attendu; } cas[] = {
        {u""_s, {}},
        {u"Anniversaire|Paul|1950|"_s, {u"Anniversaire/Paul/1950"_s}},
        {u"Anniversaire|Paul|1950|Fête|Anne||"_s, {u"Anniversaire/Paul/1950"_s, u"Fête/Anne/"_s}},
        // A damaged end drops its own entry only.
        {u"Anniversaire|Paul|1950|Fête|Anne|"_s, {u"Anniversaire/Paul/1950"_s}},
        {u"Anniversaire|Paul|1950|Fête|Anne"_s, {u"Anniversaire/Paul/1950"_s}},
        {u"Fête|"_s, {}},
        {u"Anniversaire|Paul|1950|reste"_s, {u"Anniversaire/Paul/1950"_s}},
    };
    for (const auto &c : cas) {
        QStringList lu;
        for (const TEntreeAnniFete &e : ListeVersEntrees(c.texte))
            lu << e.Genre + u'/' + e.Nom + u'/' + e.Annee;
        EXPECT_EQ(lu, c.attendu) << S(c.texte);
    }
}

TEST_F(Anniv, TheFileIsReadAndItsDayCountKeptWithinAYear)
{
    TAnniFete af;
    EXPECT_FALSE(LitAnniFete(FichierAnniFete, &af));
    EXPECT_FALSE(LitAnniFete(m_tmp.path(), &af)) << "a folder is no file";

    const std::pair<QString, int> jours[] = {
        {u""_s, 15}, {u"NbreJour=7\n"_s, 7}, {u"NbreJour=1000\n"_s, 365},
        {u"NbreJour=-4\n"_s, 0}, {u"NbreJour=beaucoup\n"_s, 15},
    };
    for (const auto &[cle, attendu] : jours) {
        fichier(u"[AnniFete]\n"_s + cle + u"j2m1=Fête|Basile ROUX||\n"_s);
        ASSERT_TRUE(LitAnniFete(FichierAnniFete, &af));
        EXPECT_EQ(af.NbreJour, attendu) << S(cle);
        ASSERT_EQ(af.Jour(1, 2).size(), 1u);
        EXPECT_EQ(af.Jour(1, 2)[0].Nom, u"Basile ROUX"_s) << "Windows-1252 read";
        EXPECT_TRUE(af.Jour(2, 1).empty() && af.Jour(13, 2).empty() && af.Jour(1, 32).empty());
    }
}

// A folder, a named pipe and a file the user may not read: the readers say
// why, and what they had loaded stays.
TEST_F(Anniv, FilesThatCannotBeReadAreToldAndLoseNothing)
{
    const QString tube = m_tmp.filePath(u"tube.mv"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
    const QString ferme = m_tmp.filePath(u"ferme.mv"_s);
    fichier(u"[AnniFete]\nNbreJour=7\nj2m1=Fête|Basile ROUX||\n[Fêtes]\nm1j2=Basile\n"_s);
    ASSERT_TRUE(QFile::copy(FichierAnniFete, ferme));
    ASSERT_EQ(::chmod(QFile::encodeName(ferme).constData(), 0), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(m_tmp.path()).constData(), 0755), 0);

    // What the readers give for each path: 0 when they refuse it with a
    // reason, keeping the day count and the name-day table read before.
    auto refuse = [&](const QString &chemin) {
        TAnniFete af;
        af.NbreJour = 3;
        QString erreurAnniv, erreurFetes;
        TableFetes().Put(1, 2, u"Avant"_s);
        if (LitAnniFete(chemin, &af, &erreurAnniv))
            return 1;
        if (erreurAnniv.isEmpty() || af.NbreJour != 3)
            return 2;
        if (LitFetes(chemin, &erreurFetes))
            return 3;
        if (erreurFetes.isEmpty() || TableFetes().Get(1, 2) != u"Avant"_s)
            return 4;
        return 0;
    };
    EXPECT_EQ(refuse(m_tmp.path()), 0) << "a folder";
    EXPECT_EQ(refuse(tube), 0) << "a named pipe";
    EXPECT_EQ(CommeUtilisateur([&] { return refuse(ferme); }), 0) << "a file without the right to read it";
    EXPECT_EQ(refuse(m_tmp.filePath(u"absent.mv"_s)), 0);
    EXPECT_EQ(CommeUtilisateur([&] { return refuse(FichierAnniFete) == 1 ? 0 : 1; }), 0) << "a readable file is read";
    ASSERT_TRUE(LitFetes(FichierAnniFete));
    EXPECT_EQ(TableFetes().Get(1, 2), u"Basile"_s);

    // The reminder tells the user of a file it cannot read, and of nothing
    // when there is no file.
    ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt")));
    TDialoguesScriptes dialogues;
    FichierAnniFete = tube;
    EXPECT_EQ(AfficheAnniFete(nullptr), TRappelAnniFete::Illisible);
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].contains(tube)) << S(dialogues.Messages[0]);
    FichierAnniFete = m_tmp.filePath(u"absent.mv"_s);
    EXPECT_EQ(AfficheAnniFete(nullptr), TRappelAnniFete::SansFichier);
    EXPECT_EQ(dialogues.Messages.size(), 1);
}

// The calendar tab's "Anniversaires à souhaiter": one message, the true one,
// whether the file cannot be read or is not there yet.
TEST_F(Anniv, TheReminderButtonGivesOneTrueMessage)
{
    ASSERT_TRUE(ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt")));
    struct Hote final : THoteRapport {
        int SelecPers() const override { return 0; }
        void SelecFiche(int) override {}
        void MontreRapport() override {}
        void RapportCache() override {}
        bool FormKeyDown(int, Qt::KeyboardModifiers) override { return false; }
    } hote;
    TBD bd;
    TfmRapport rapport(bd, hote);
    QWidget fenetre;
    auto *disposition = new QVBoxLayout(&fenetre);
    for (const char *nom : {"sbCal", "sbCalEve", "sbCalAnn"}) {
        auto *b = new QToolButton(&fenetre);
        b->setObjectName(QLatin1String(nom));
        disposition->addWidget(b);
    }
    TCommandesCal commandes(bd, rapport, [](int) {}, &fenetre);
    commandes.Branche();
    auto *bouton = fenetre.findChild<QToolButton *>(u"sbAnniFete"_s);
    ASSERT_TRUE(bouton);
    TDialoguesScriptes dialogues;

    FichierAnniFete = m_tmp.path(); // a folder
    QTest::mouseClick(bouton, Qt::LeftButton);
    ASSERT_EQ(dialogues.Messages.size(), 1);
    EXPECT_TRUE(dialogues.Messages[0].contains(u"ne peut pas être lu"_s)) << S(dialogues.Messages[0]);

    FichierAnniFete = m_tmp.filePath(u"absent.mv"_s);
    QTest::mouseClick(bouton, Qt::LeftButton);
    ASSERT_EQ(dialogues.Messages.size(), 2);
    EXPECT_EQ(dialogues.Messages[1], MLText(8300));
}

TEST_F(Anniv, TheFileIsWrittenForTheLivingWithTheirNameDays)
{
    TBD bd;
    auto personne = [&bd](const QString &nom, const QString &prenoms, const QString &naissance) {
        const int p = bd.NewPerson();
        bd.SetSurname(p, nom);
        bd.SetGivenNames(p, prenoms);
        bd.SetBirthDate(p, naissance);
        return p;
    };
    personne(u"ROUX|DUVAL"_s, u"Basile Jean"_s, u"2/1/2000"_s);
    const int mort = personne(u"MORT"_s, u"Basile"_s, u"3/1/1900"_s);
    bd.SetPersonEventByType(mort, NomsEvenements().Deces, u"1970"_s, EveDate);
    personne(u"VERS"_s, u"Paul"_s, u"vers 4/1/1950"_s);
    personne(u"MOIS"_s, u"Paul"_s, u"1/1950"_s);
    personne(u"ÉTÉ"_s, u"basile"_s, u"6/8/1980"_s);
    // Born in 1696 and never said dead: no 328th birthday.
    personne(u"ANCÊTRE"_s, u"Basile"_s, u"12/1/1696"_s);
    TableFetes().Put(1, 2, u"Basile, Fulgence"_s);
    TableFetes().Put(1, 3, u"Jean"_s);

    // Asking the clock reads the time zone: the writer asks it once, not
    // once per person.
    int lectures = 0;
    SetHorloge([&lectures] {
        ++lectures;
        return QDate::currentDate();
    });
    ASSERT_TRUE(EcritAnniFete(FichierAnniFete, bd, 20, 110));
    EXPECT_EQ(lectures, 1);
    SetHorloge({});
    QFile f(FichierAnniFete);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("\xC9T\xC9 basile|1980|")) << "Windows-1252 written";

    TAnniFete af;
    ASSERT_TRUE(LitAnniFete(FichierAnniFete, &af));
    EXPECT_EQ(af.NbreJour, 20);
    auto jour = [&af](int m, int j) {
        QStringList l;
        for (const TEntreeAnniFete &e : af.Jour(m, j))
            l << e.Genre + u'/' + e.Nom + u'/' + e.Annee;
        return l;
    };
    // The "|" of a name is a blank; the principal given name alone counts
    // for the name day, whatever its case.
    EXPECT_EQ(jour(1, 2), (QStringList{u"Anniversaire/ROUX DUVAL Basile/2000"_s, u"Fête/ROUX DUVAL Basile/"_s,
                                       u"Fête/ÉTÉ basile/"_s}));
    EXPECT_EQ(jour(8, 6), QStringList{u"Anniversaire/ÉTÉ basile/1980"_s});
    EXPECT_TRUE(jour(1, 3).isEmpty()) << "dead, and Jean is no principal given name";
    EXPECT_TRUE(jour(1, 4).isEmpty()) << "a qualified date";
    EXPECT_TRUE(jour(1, 12).isEmpty()) << "older than the oldest living";

    // Written again, the section is replaced whole.
    bd.ClearPerson(1);
    ASSERT_TRUE(EcritAnniFete(FichierAnniFete, bd, 500, 110));
    ASSERT_TRUE(LitAnniFete(FichierAnniFete, &af));
    EXPECT_EQ(jour(1, 2), QStringList{u"Fête/ÉTÉ basile/"_s});
    EXPECT_EQ(af.NbreJour, 365);
}

// Living: a birth date, no death date, and no older today than the
// options' maximum age at death, the birthday counting.
TEST_F(Anniv, TheLivingAreBornNotDeadAndNoOlderThanTheMaximumAge)
{
    aujourdhui(10, 6, 2025);
    const struct { QString naissance, deces; int ageMax; bool vivant; } cas[] = {
        {u"9/6/1916"_s, {}, 110, true},    // 109
        {u"11/6/1915"_s, {}, 110, true},   // 109, 110 tomorrow
        {u"10/6/1915"_s, {}, 110, true},   // 110 today
        {u"11/6/1914"_s, {}, 110, true},   // 110, 111 tomorrow
        {u"10/6/1914"_s, {}, 110, false},  // 111 today
        {u"9/6/1914"_s, {}, 110, false},   // 111
        {u"10/6/1914"_s, {}, 111, true},   // the options' limit, not 110
        {u"10/6/1915"_s, {}, 109, false},
        {u"1915"_s, {}, 110, true},        // a year alone: 110 at most
        {u"1914"_s, {}, 110, false},
        {u"12/1/1696"_s, {}, 110, false},
        {u""_s, {}, 110, false},           // no birth date
        {u"1/1/1980"_s, u"2000"_s, 110, false},
        {u"1/1/1980"_s, u"vers 2000"_s, 110, false},
    };
    TBD bd;
    for (const auto &c : cas) {
        const int p = bd.NewPerson();
        bd.SetBirthDate(p, c.naissance);
        if (!c.deces.isEmpty())
            bd.SetPersonEventByType(p, NomsEvenements().Deces, c.deces, EveDate);
        EXPECT_EQ(PersonneEnVie(bd, p, c.ageMax), c.vivant) << S(c.naissance) << " " << S(c.deces) << " " << c.ageMax;
    }
    EXPECT_FALSE(PersonneEnVie(bd, 0, 110));
    EXPECT_FALSE(PersonneEnVie(bd, bd.PersonCount() + 1, 110));
}

TEST_F(Anniv, OnChristmasTheNextYearsDaysAreListedWithTheirAges)
{
    aujourdhui(25, 12, 2024);
    TableFetes().Put(12, 25, u"Noël"_s);
    fichier(u"[AnniFete]\nNbreJour=15\n"
            "j25m12=Anniversaire|Noël PETIT|1950|\n"
            "j2m1=Anniversaire|Paul DUPONT|2024|Anniversaire|Anne MARTIN|2023|Fête|Basile ROUX||\n"
            "j5m1=Anniversaire|Jean INCONNU|0|Fête|Édouard DURAND||\n"
            "j10m1=Fête|Guillaume TROP-LOIN||\n"_s);
    EXPECT_EQ(lignes(), (QStringList{
                            u"Mercredi 25 décembre 2024"_s, u"Fêtes: Noël"_s, u" "_s, u"Aujourd'hui:"_s,
                            u"Anniversaire de Noël PETIT (74 ans)."_s, u" "_s,
                            u"Anniversaires et fêtes à souhaiter"_s, u"pour les 15 prochains jours:"_s,
                            u" "_s, u"Jeudi 2 janvier 2025 (8 jours)."_s, u"Anniversaire de Paul DUPONT (1 an)."_s,
                            u"Anniversaire de Anne MARTIN (2 ans)."_s, u"Fête de Basile ROUX."_s,
                            u" "_s, u"Dimanche 5 janvier 2025 (11 jours)."_s, u"Anniversaire de Jean INCONNU."_s,
                            u"Fête de Édouard DURAND."_s,
                        }));
}

TEST_F(Anniv, WithNothingAheadTheNextDayIsGivenAndAYearIsTheLimit)
{
    aujourdhui(1, 3, 2023);
    fichier(u"[AnniFete]\nNbreJour=15\n"_s);
    // Nobody to wish within a year: no next date is announced.
    const QStringList rien{u"Mercredi 1 mars 2023"_s, u" "_s, u"Aucun anniversaire ni fête à souhaiter"_s,
                           u"dans les 15 prochains jours."_s};
    EXPECT_EQ(lignes(), rien);

    fichier(u"[AnniFete]\nNbreJour=15\nj2m3=Fête|Demain A||\nj1m6=Fête|Juin B||\nj2m6=Fête|Juin C||\n"_s);
    EXPECT_EQ(lignes().mid(3), (QStringList{u"pour les 15 prochains jours:"_s, u" "_s,
                                            u"Jeudi 2 mars 2023 (1 jour)."_s, u"Fête de Demain A."_s}));
    fichier(u"[AnniFete]\nNbreJour=15\nj1m6=Fête|Juin B||\nj2m6=Fête|Juin C||\n"_s);
    EXPECT_EQ(lignes(), rien + QStringList({u" "_s, u"Le prochain aura lieu le:"_s, u" "_s,
                                            u"Jeudi 1 juin 2023 (92 jours)."_s, u"Fête de Juin B."_s}));
    // Only today, which comes back in a year: today's line, nothing ahead.
    fichier(u"[AnniFete]\nNbreJour=15\nj1m3=Fête|Aujourd'hui D||\n"_s);
    EXPECT_EQ(lignes().mid(3), (QStringList{u"Fête de Aujourd'hui D."_s, u" "_s,
                                            u"Aucun anniversaire ni fête à souhaiter"_s,
                                            u"dans les 15 prochains jours."_s}));

    // However far the file says to look, each day comes once.
    fichier(u"[AnniFete]\nNbreJour=900\nj2m3=Fête|Demain A||\n"_s);
    EXPECT_EQ(lignes().count(u"Fête de Demain A."_s), 1);
    EXPECT_EQ(lignes()[3], u"pour les 365 prochains jours:"_s);
}

TEST_F(Anniv, TheWindowIsRoundedCentredAndClosedByAnyKeyOrClick)
{
    aujourdhui(25, 12, 2024);
    const QString longue = u"Marie-Thérèse DE LA ROCHEFOUCAULD"_s;
    const QString interminable = QString(u"TRÈS-LONG-"_s).repeated(30);
    fichier(u"[AnniFete]\nNbreJour=15\nj2m1=Fête|"_s + longue + u"||Fête|"_s + interminable + u"||Fête|Paul||\n"_s);
    TAnniFete af;
    ASSERT_TRUE(LitAnniFete(FichierAnniFete, &af));
    {
        TfmAnniFete f(af);
        EXPECT_EQ(f.size(), QSize(280, 180));
        EXPECT_TRUE(f.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(f.windowTitle(), u"Anniversaires et fêtes à souhaiter"_s);
        const QRegion forme = f.mask();
        for (QPoint coin : {QPoint(0, 0), QPoint(279, 0), QPoint(0, 179), QPoint(279, 179), QPoint(2, 1)})
            EXPECT_FALSE(forme.contains(coin)) << coin.x() << "," << coin.y();
        for (QPoint dedans : {QPoint(140, 90), QPoint(12, 0), QPoint(0, 12), QPoint(270, 170)})
            EXPECT_TRUE(forme.contains(dedans)) << dedans.x() << "," << dedans.y();
        // The lines are centred in the scroll box, less its 20-pixel margin,
        // and stacked; the date, in large bold type, is made to fit.
        const auto &lignes = f.LignesAnniv();
        ASSERT_GE(lignes.size(), 2u);
        const auto &titre = lignes.front();
        const auto &entree = lignes.back();
        EXPECT_EQ(titre.Texte, u"Mercredi 25 décembre 2024"_s);
        EXPECT_EQ(entree.Texte, u"Fête de Paul."_s);
        EXPECT_TRUE(titre.Fonte.bold());
        EXPECT_FALSE(entree.Fonte.bold());
        EXPECT_EQ(entree.Fonte.pixelSize(), 14);
        EXPECT_GT(titre.Fonte.pixelSize(), entree.Fonte.pixelSize());
        for (const auto *l : {&titre, &entree}) {
            const int largeur = QFontMetrics(l->Fonte).horizontalAdvance(l->Texte);
            EXPECT_GE(l->Position.x(), 0);
            EXPECT_LE(l->Position.x() + largeur, 240);
            EXPECT_NEAR(l->Position.x() + largeur / 2.0, 120, 1.0) << S(l->Texte);
        }
        EXPECT_EQ(titre.Position.y(), 0);
        // Its row keeps the height of the type asked, 22 pixels bold.
        QFont demandee = f.font();
        demandee.setPixelSize(22);
        demandee.setBold(true);
        EXPECT_EQ(lignes[1].Position.y(), QFontMetrics(demandee).height() + 1);

        // A long name takes the largest type that fits, 8 pixels at least.
        const auto &ajustee = lignes[lignes.size() - 3];
        const auto &coupee = lignes[lignes.size() - 2];
        EXPECT_EQ(ajustee.Texte, u"Fête de "_s + longue + u'.');
        const int taille = ajustee.Fonte.pixelSize();
        EXPECT_LT(taille, 14);
        EXPECT_GT(taille, 8);
        EXPECT_LE(QFontMetrics(ajustee.Fonte).horizontalAdvance(ajustee.Texte), 240);
        QFont plusGrande = ajustee.Fonte;
        plusGrande.setPixelSize(taille + 1);
        EXPECT_GT(QFontMetrics(plusGrande).horizontalAdvance(ajustee.Texte), 240);
        EXPECT_EQ(coupee.Fonte.pixelSize(), 8);
        EXPECT_EQ(coupee.Position.x(), 0);
        const int rangee = QFontMetrics(entree.Fonte).height() + 1;
        EXPECT_EQ(coupee.Position.y() - ajustee.Position.y(), rangee) << "rows of the type asked, whatever the type fitted";
        EXPECT_EQ(entree.Position.y() - coupee.Position.y(), rangee);

        // The lines are painted in the scroll box.
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
        QWidget *contenu = f.findChild<QWidget *>(u"Image3"_s);
        const QImage image = contenu->grab().toImage();
        const QRect zone(entree.Position, QSize(QFontMetrics(entree.Fonte).horizontalAdvance(entree.Texte),
                                                QFontMetrics(entree.Fonte).height()));
        int sombres = 0;
        for (int y = zone.top(); y <= zone.bottom(); ++y) {
            for (int x = zone.left(); x <= zone.right(); ++x)
                sombres += qGray(image.pixel(x, y)) < 100;
        }
        EXPECT_GT(sombres, 20) << "the text of the entry";
    }

    // Shown from the file, a key closes it; a click on a line does too.
    ReponseModale<TfmAnniFete> touche([](TfmAnniFete &f) { QTest::keyClick(&f, Qt::Key_Space); });
    EXPECT_EQ(AfficheAnniFete(nullptr), TRappelAnniFete::Montre);
    EXPECT_TRUE(touche.Ouvert);
    ReponseModale<TfmAnniFete> clic([](TfmAnniFete &f) {
        QTest::mouseClick(f.findChild<QWidget *>(u"Image3"_s), Qt::LeftButton, {},
                          f.LignesAnniv().back().Position + QPoint(3, 3));
    });
    EXPECT_EQ(AfficheAnniFete(nullptr), TRappelAnniFete::Montre);
    EXPECT_TRUE(clic.Ouvert);

    QFile::remove(FichierAnniFete);
    ReponseModale<TfmAnniFete> jamais([](TfmAnniFete &f) { f.accept(); });
    EXPECT_EQ(AfficheAnniFete(nullptr), TRappelAnniFete::SansFichier);
    EXPECT_FALSE(jamais.Ouvert);
}
