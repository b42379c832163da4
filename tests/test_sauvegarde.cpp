// Saving when things go wrong: a program killed in the middle of a save, a
// disk that fills up. Both run in child processes, so that the test program
// itself is never killed and never sees the small disk.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "BD.h"
#include "FichierMvd.h"
#include "Fichiers.h"
#include "Html.h"
#include "Images.h"
#include "Ini.h"
#include "Langue.h"
#include "Style.h"

using namespace Qt::StringLiterals;

namespace {

// A database of about `octets` bytes once saved.
TBD base(qsizetype octets)
{
    TBD bd;
    const QString note(1000, u'n');
    for (qsizetype taille = 0; taille < octets; taille += 1100) {
        const int p = bd.NewPerson();
        bd.SetSurname(p, u"NOM%1"_s.arg(p));
        bd.SetField(p, PcNote, note);
    }
    return bd;
}

QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The names in a folder, sorted and joined by blanks.
QString entrees(const QString &dossier)
{
    QStringList noms = QDir(dossier).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    noms.sort();
    return noms.join(u' ');
}

bool chargeable(const QString &chemin)
{
    TBD bd;
    return ChargeMvd(chemin, bd, nullptr).Ok();
}

// What a child process found wrong, sent to the parent through a pipe.
class TCompteRendu
{
public:
    explicit TCompteRendu(int fd) : m_fd(fd) {}
    void Faute(const QString &texte)
    {
        const QByteArray octets = texte.toUtf8() + '\n';
        (void)!::write(m_fd, octets.constData(), static_cast<size_t>(octets.size()));
        m_fautes = true;
    }
    void Verifie(bool condition, const QString &texte)
    {
        if (!condition)
            Faute(texte);
    }
    int Code() const { return m_fautes ? 1 : 0; }

private:
    int m_fd;
    bool m_fautes = false;
};

constexpr int kIndisponible = 77;

// Runs `enfant` in a child process; its exit code, and what it reported.
template <typename Enfant>
std::pair<int, QString> dansUnEnfant(Enfant enfant)
{
    int tube[2];
    if (::pipe(tube) != 0)
        return {-1, u"pipe"_s};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(tube[0]);
        TCompteRendu compteRendu(tube[1]);
        ::_exit(enfant(compteRendu));
    }
    ::close(tube[1]);
    QByteArray rapport;
    char tampon[512];
    for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;)
        rapport.append(tampon, n);
    ::close(tube[0]);
    int statut = 0;
    ::waitpid(pid, &statut, 0);
    return {WIFEXITED(statut) ? WEXITSTATUS(statut) : -1, QString::fromUtf8(rapport)};
}

bool ecritFichier(const char *chemin, const QByteArray &texte)
{
    const int fd = ::open(chemin, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, texte.constData(), static_cast<size_t>(texte.size())) == texte.size();
    ::close(fd);
    return ok;
}

// Mounts a file system of `taille` bytes on `dossier`, seen by this process
// alone: in a mount namespace of its own, in a user namespace of its own when
// the process is not the superuser.
bool monteDisque(const QString &dossier, const char *taille)
{
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWNS) != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return false;
        ecritFichier("/proc/self/setgroups", "deny");
        if (!ecritFichier("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1")
            || !ecritFichier("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
        && ::mount("lignee", QFile::encodeName(dossier).constData(), "tmpfs", 0,
                   (QByteArray("size=") + taille).constData())
        == 0;
}

// A save killed at any moment leaves the previous file loadable; the next
// save removes whatever the killed ones left, and nothing else.
TEST(Sauvegarde, LesRestesDesSauvegardesTueesPartentALaSuivante)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"base.mvd"_s);
    const TBD grosse = base(8 << 20);
    ASSERT_TRUE(SauveMvd(chemin, grosse, TEnteteMvd()).Ok());
    QElapsedTimer chrono;
    chrono.start();
    ASSERT_TRUE(SauveMvd(chemin, grosse, TEnteteMvd()).Ok());
    const qint64 duree = std::max<qint64>(chrono.nsecsElapsed() / 1000, 1000);

    // Kills spread over the length of a save, whose work the child repeats.
    constexpr int kTues = 12;
    for (int i = 1; i <= kTues; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (;;)
                SauveMvd(chemin, grosse, TEnteteMvd());
        }
        std::this_thread::sleep_for(std::chrono::microseconds(duree * (i + kTues) / kTues));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ASSERT_TRUE(chargeable(chemin)) << "tué " << i;
    }

    // Files that only look like leftovers, and the temporary file of a save
    // still running (it holds its lock), stay.
    const QStringList gardes = {u"base.mvd.backup"_s, u"base.mvd.abcdef.tmp.txt"_s, u"base.mvd.abc.tmp"_s,
                                u"base.mvd.ab-def.tmp"_s, u"autre.mvd.abcdef.tmp"_s};
    for (const QString &nom : gardes)
        QFile(dossier.filePath(nom)).open(QIODevice::WriteOnly);
    const QString enCours = dossier.filePath(u"base.mvd.EnCour.tmp"_s);
    const int verrou = ::open(QFile::encodeName(enCours).constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(verrou, 0);
    ::flock(verrou, LOCK_EX);
    // Leftovers of both temporary files, whatever the kills left.
    for (const QString &nom : {u"base.mvd.Xy12Zw.tmp"_s, u"base.old.a1B2c3.tmp"_s})
        QFile::copy(chemin, dossier.filePath(nom));
    // A save killed just after its backup leaves "base.old" a second name of
    // "base.mvd"; the next backup is then a third name of the same file.
    QFile::remove(dossier.filePath(u"base.old"_s));
    ASSERT_EQ(::link(QFile::encodeName(chemin).constData(),
                     QFile::encodeName(dossier.filePath(u"base.old"_s)).constData()), 0);

    const TBD petite = base(1000);
    ASSERT_TRUE(SauveMvd(chemin, petite, TEnteteMvd()).Ok());
    ::close(verrou);
    QStringList attendu = gardes;
    attendu << u"base.mvd"_s << u"base.old"_s << u"base.mvd.EnCour.tmp"_s;
    attendu.sort();
    EXPECT_EQ(entrees(dossier.path()).toStdString(), attendu.join(u' ').toStdString());
    EXPECT_TRUE(chargeable(dossier.filePath(u"base.old"_s)));
    TBD relue;
    ASSERT_TRUE(ChargeMvd(chemin, relue, nullptr).Ok());
    EXPECT_EQ(relue.PersonCount(), petite.PersonCount());
}

// A device node like /dev/null made in `dossier`, so that a writer that
// wrongly replaced it would harm nothing; /dev/null itself where no node can
// be made and /dev cannot be written either (a save could not replace it
// then). Empty when neither is safe.
QString peripherique(const QString &dossier)
{
    const QString noeud = dossier + u"/null"_s;
    if (::mknod(QFile::encodeName(noeud).constData(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        return noeud;
    return ::access("/dev", W_OK) != 0 ? u"/dev/null"_s : QString();
}

bool estPeripherique(const QString &chemin)
{
    struct stat etat {};
    return ::stat(QFile::encodeName(chemin).constData(), &etat) == 0 && S_ISCHR(etat.st_mode);
}

// Every writer that replaces a file whole refuses a target that is not an
// ordinary file, says why and leaves it as it was: a named pipe, a link to a
// device, a folder. A link to an ordinary file is written through and stays
// a link.
TEST(Sauvegarde, SeulUnFichierOrdinaireEstRemplace)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    TxiloStyleEdit style;
    style.SetTexte(u"body { color: #000000; }"_s);
    const TBD bd = base(1000);
    const struct {
        const char *nom;
        std::function<bool(const QString &, QString *)> ecrit;
    } ecrivains[] = {
        {"fichier", [](const QString &c, QString *e) { return EcritFichierEntier(c, "texte", 5, e); }},
        {"réglages",
         [](const QString &c, QString *e) {
             TIniFile ini(c);
             ini.WriteString(u"S"_s, u"k"_s, u"v"_s);
             const bool ok = ini.UpdateFile();
             *e = ini.ErrorString();
             return ok;
         }},
        {"png", [&image](const QString &c, QString *) { return EcritPng(image, c); }},
        {"bmp", [&image](const QString &c, QString *) { return EcritBmp(image, c); }},
        {"jpeg", [&image](const QString &c, QString *) { return EcritJpeg(image, c); }},
        {"page",
         [&style](const QString &c, QString *e) {
             THtml page(style);
             page.DebutPage(u"Page"_s);
             return page.Enregistre(c, e);
         }},
        {"base",
         [&bd](const QString &c, QString *e) {
             const TResultatMvd r = SauveMvd(c, bd, TEnteteMvd());
             *e = r.Detail;
             return r.Ok();
         }},
    };
    for (const auto &ecrivain : ecrivains) {
        SCOPED_TRACE(ecrivain.nom);
        QTemporaryDir dossier;
        const QString tube = dossier.filePath(u"tube"_s);
        ASSERT_EQ(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        const QString sousDossier = dossier.filePath(u"dossier"_s);
        ASSERT_TRUE(QDir().mkdir(sousDossier));
        QStringList refuses{tube, sousDossier};
        const QString noeud = peripherique(dossier.path());
        const QString versNoeud = dossier.filePath(u"lien_peripherique"_s);
        if (!noeud.isEmpty() && QFile::link(noeud, versNoeud))
            refuses << versNoeud;
        for (const QString &cible : refuses) {
            SCOPED_TRACE(cible.toStdString());
            QString erreur;
            EXPECT_FALSE(ecrivain.ecrit(cible, &erreur));
            // The picture writers give no reason.
            const bool image = QByteArray("png bmp jpeg").contains(ecrivain.nom);
            EXPECT_TRUE(image || erreur.contains(cible == sousDossier ? u"c'est un dossier"_s
                                                                      : u"ce n'est pas un fichier ordinaire"_s))
                << erreur.toStdString();
        }
        struct stat etat {};
        EXPECT_TRUE(::stat(QFile::encodeName(tube).constData(), &etat) == 0 && S_ISFIFO(etat.st_mode));
        EXPECT_TRUE(QFileInfo(sousDossier).isDir());
        if (refuses.contains(versNoeud)) {
            EXPECT_TRUE(estPeripherique(noeud));
            EXPECT_TRUE(QFileInfo(versNoeud).isSymLink());
        }

        const QString vrai = dossier.filePath(u"vrai"_s);
        const QString lien = dossier.filePath(u"lien"_s);
        QFile(vrai).open(QIODevice::WriteOnly);
        ASSERT_TRUE(QFile::link(vrai, lien));
        QString erreur;
        EXPECT_TRUE(ecrivain.ecrit(lien, &erreur)) << erreur.toStdString();
        EXPECT_TRUE(QFileInfo(lien).isSymLink());
        EXPECT_GT(QFileInfo(vrai).size(), 0);
    }
}

// On a full disk the save says so, leaves the previous file and no
// temporary file; so do the settings, the pictures and the pages.
TEST(Sauvegarde, DisquePleinDitPourquoi)
{
    QTemporaryDir dossier;
    const QString disque = dossier.filePath(u"disque"_s);
    ASSERT_TRUE(QDir().mkpath(disque));
    const auto [code, rapport] = dansUnEnfant([&disque](TCompteRendu &r) {
        if (!monteDisque(disque, "256k"))
            return kIndisponible;
        ChargeLangue(QStringLiteral(LIGNEE_MODELE "/langue.txt"));
        const QString plein = MLText(7400);
        r.Verifie(!plein.isEmpty(), u"texte 7400 absent"_s);

        const QString chemin = disque + u"/base.mvd"_s;
        const TResultatMvd petite = SauveMvd(chemin, base(2000), TEnteteMvd());
        r.Verifie(petite.Ok(), u"petite base : "_s + petite.Detail);
        const QByteArray avant = contenu(chemin);
        // Larger than the disk: the first write takes what fits.
        const TResultatMvd grosse = SauveMvd(chemin, base(1 << 20), TEnteteMvd());
        r.Verifie(grosse.Erreur == MvdEcritureImpossible, u"erreur %1"_s.arg(grosse.Erreur));
        r.Verifie(grosse.Detail == plein, u"détail : "_s + grosse.Detail);
        r.Verifie(contenu(chemin) == avant, u"fichier changé"_s);
        r.Verifie(entrees(disque) == u"base.mvd"_s, entrees(disque));

        // Nothing left for the settings.
        QFile remplissage(disque + u"/remplissage"_s);
        remplissage.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray bloc(4096, 'x');
        while (remplissage.write(bloc) == bloc.size()) {
        }
        TIniFile ini(disque + u"/gene.ini"_s);
        ini.WriteString(u"gene"_s, u"Dernier"_s, QString(100, u'v'));
        r.Verifie(!ini.UpdateFile(), u"réglages enregistrés sur un disque plein"_s);
        r.Verifie(ini.ErrorString() == plein, u"réglages : "_s + ini.ErrorString());
        // Nor for the pictures and the pages.
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(Qt::red);
        r.Verifie(!EcritPng(image, disque + u"/image.png"_s), u"image écrite sur un disque plein"_s);
        TxiloStyleEdit style;
        style.SetTexte(u"body { color: #000000; }"_s);
        THtml page(style);
        page.DebutPage(u"Page"_s);
        QString erreur;
        r.Verifie(!page.Enregistre(disque + u"/page.htm"_s, &erreur) && erreur.contains(plein),
                  u"page : "_s + erreur);
        r.Verifie(entrees(disque) == u"base.mvd remplissage"_s, entrees(disque));
        return r.Code();
    });
    if (code == kIndisponible)
        GTEST_SKIP() << "no small file system can be mounted here";
    EXPECT_EQ(code, 0) << rapport.toStdString();
}

} // namespace
