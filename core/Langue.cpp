#include "Langue.h"

#include <vector>

#include <QFile>
#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QMetaProperty>
#include <QObject>
#include <QStringList>
#include <QVariant>

#include "BD.h"
#include "Dates.h"
#include "Fichiers.h"
#include "Globales.h"
#include "Ini.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kNumeroMax = 100000;
constexpr int kLangueMax = 99;
constexpr qsizetype kLigneMax = 16384;
constexpr qint64 kFichierMax = 64LL * 1024 * 1024;
// Enough ignored lines to find the faults of a hand-edited file without
// building a huge message out of a binary file.
constexpr int kErreursListees = 100;

// One property of one object of a form, as the keys name it.
struct TPropriete {
    QString Nom; // as written in the key ("Caption", "Hint"...)
    QStringList Textes;
};
// Component name (case-folded, empty for the form itself) -> its properties.
using TComposants = QHash<QString, QList<TPropriete>>;

struct TTables {
    std::vector<QStringList> Numeros;      // index = text number
    QHash<QString, QStringList> Cles;      // case-folded key -> columns
    QHash<QString, TComposants> Formes;    // case-folded form name -> components
};

TTables &Tables()
{
    static TTables tables;
    return tables;
}

bool g_debug = false;

QString Plie(const QString &cle)
{
    return cle.trimmed().toCaseFolded();
}

// The text of the active language, else the French one; empty when both are.
QString TexteDe(const QStringList &colonnes)
{
    const qsizetype i = LangueActive - 1;
    if (i >= 0 && i < colonnes.size() && !colonnes.at(i).isEmpty())
        return colonnes.at(i);
    return colonnes.isEmpty() ? QString() : colonnes.first();
}

// Text number n without the debug marker: what the program itself needs
// (event names, default model) must never become "[201]".
QString TexteBrut(int n)
{
    const auto &numeros = Tables().Numeros;
    if (n < 0 || static_cast<size_t>(n) >= numeros.size())
        return {};
    return TexteDe(numeros[static_cast<size_t>(n)]);
}

QString Deseche(QStringView brut)
{
    QString r;
    r.reserve(brut.size());
    for (qsizetype i = 0; i < brut.size(); ++i) {
        const QChar c = brut[i];
        if (c == u'\\' && i + 1 < brut.size()) {
            const QChar s = brut[i + 1];
            if (s == u'n') {
                r += u'\n';
                ++i;
                continue;
            }
            if (s == u't') {
                r += u'\t';
                ++i;
                continue;
            }
            if (s == u'\\') {
                r += u'\\';
                ++i;
                continue;
            }
        }
        r += c;
    }
    return r;
}

// A key made only of digits, with or without a sign, is a number; the sign
// is accepted here only so that "-5" is refused as out of range instead of
// becoming a text key nobody can look up by number.
bool EstNumero(QStringView cle)
{
    qsizetype debut = (cle.startsWith(u'-') || cle.startsWith(u'+')) ? 1 : 0;
    if (debut >= cle.size())
        return false;
    for (qsizetype i = debut; i < cle.size(); ++i)
        if (cle[i] < u'0' || cle[i] > u'9')
            return false;
    return true;
}

void IndexeForme(TTables &t, const QString &cle, const QStringList &colonnes)
{
    const qsizetype premier = cle.indexOf(u'.');
    const qsizetype dernier = cle.lastIndexOf(u'.');
    if (premier <= 0 || dernier == cle.size() - 1)
        return;
    const QString forme = Plie(cle.left(premier));
    const QString composant = premier == dernier ? QString() : Plie(cle.mid(premier + 1, dernier - premier - 1));
    const QString propriete = cle.mid(dernier + 1).trimmed();
    t.Formes[forme][composant].append({propriete, colonnes});
}

class TAnalyseur
{
public:
    explicit TAnalyseur(TTables &tables) : m_tables(tables) {}

    void Ligne(int numeroLigne, QStringView ligne)
    {
        if (ligne.startsWith(u'#') || ligne.trimmed().isEmpty())
            return;
        if (ligne.size() > kLigneMax)
            return Ignore(numeroLigne, u"ligne trop longue"_s);
        const qsizetype tab = ligne.indexOf(u'\t');
        if (tab < 0)
            return Ignore(numeroLigne, u"pas de tabulation après la clé"_s);
        const QStringView cle = ligne.left(tab).trimmed();
        if (cle.isEmpty())
            return Ignore(numeroLigne, u"clé vide"_s);

        QStringList colonnes;
        for (QStringView col : ligne.mid(tab + 1).split(u'\t'))
            colonnes.append(Deseche(col));

        if (EstNumero(cle)) {
            bool ok = false;
            const qlonglong n = cle.toLongLong(&ok);
            if (!ok || n < 0 || n > kNumeroMax)
                return Ignore(numeroLigne, u"numéro hors limites (0 à 100000)"_s);
            auto &numeros = m_tables.Numeros;
            const auto i = static_cast<size_t>(n);
            if (i >= numeros.size())
                numeros.resize(i + 1);
            if (m_vus.contains(i))
                return Ignore(numeroLigne, u"numéro déjà donné ligne %1"_s.arg(m_vus.value(i)));
            m_vus.insert(i, numeroLigne);
            numeros[i] = colonnes;
            return;
        }

        const QString cleTexte = cle.toString();
        const QString pliee = Plie(cleTexte);
        if (const auto it = m_clesVues.constFind(pliee); it != m_clesVues.cend())
            return Ignore(numeroLigne, u"clé déjà donnée ligne %1"_s.arg(*it));
        m_clesVues.insert(pliee, numeroLigne);
        m_tables.Cles.insert(pliee, colonnes);
        IndexeForme(m_tables, cleTexte, colonnes);
    }

    QString Bilan() const
    {
        QStringList lignes = m_erreurs;
        if (m_ignorees > kErreursListees)
            lignes.append(u"… et %1 autres lignes ignorées"_s.arg(m_ignorees - kErreursListees));
        return lignes.join(u'\n');
    }

private:
    void Ignore(int numeroLigne, const QString &raison)
    {
        ++m_ignorees;
        if (m_erreurs.size() < kErreursListees)
            m_erreurs.append(u"ligne %1 : %2"_s.arg(numeroLigne).arg(raison));
    }

    TTables &m_tables;
    QHash<size_t, int> m_vus;          // number -> line where it was given
    QHash<QString, int> m_clesVues;    // folded key -> line
    QStringList m_erreurs;
    int m_ignorees = 0;
};

// Writes text into a declared, writable QString property; true when set.
bool EcritPropriete(QObject *objet, const QString &nom, const QString &texte)
{
    const QMetaObject *meta = objet->metaObject();
    const int index = meta->indexOfProperty(nom.toLatin1().constData());
    if (index < 0)
        return false;
    const QMetaProperty propriete = meta->property(index);
    if (!propriete.isWritable() || propriete.metaType().id() != QMetaType::QString)
        return false;
    return propriete.write(objet, QVariant(texte));
}

void Traduit(QObject *objet, const QList<TPropriete> &proprietes, bool estForme)
{
    for (const TPropriete &p : proprietes) {
        const QString texte = TexteDe(p.Textes);
        if (texte.isEmpty())
            continue;
        if (p.Nom.compare(u"Caption"_s, Qt::CaseInsensitive) == 0) {
            if (estForme && EcritPropriete(objet, u"windowTitle"_s, texte))
                continue;
            if (!EcritPropriete(objet, u"text"_s, texte))
                EcritPropriete(objet, u"title"_s, texte);
        } else if (p.Nom.compare(u"Hint"_s, Qt::CaseInsensitive) == 0) {
            EcritPropriete(objet, u"toolTip"_s, texte);
            EcritPropriete(objet, u"statusTip"_s, texte);
        } else if (p.Nom.compare(u"Text"_s, Qt::CaseInsensitive) == 0) {
            EcritPropriete(objet, u"text"_s, texte);
        } else if (!p.Nom.isEmpty()) {
            QString nom = p.Nom;
            nom[0] = nom[0].toLower();
            EcritPropriete(objet, nom, texte);
        }
    }
}

} // namespace

bool ChargeLangue(const QString &chemin, QString *erreur)
{
    QString raison = ObstacleLecture(chemin);
    QByteArray octets;
    if (raison.isEmpty()) {
        QFile fichier(chemin);
        if (!fichier.open(QIODevice::ReadOnly)) {
            raison = fichier.errorString();
        } else {
            // Read one byte past the limit rather than trusting size(), which
            // the file may outgrow while it is read.
            octets = fichier.read(kFichierMax + 1);
            if (fichier.error() != QFileDevice::NoError)
                raison = fichier.errorString();
            else if (octets.size() > kFichierMax)
                raison = u"fichier trop grand"_s;
        }
    }
    if (!raison.isEmpty()) {
        if (erreur)
            *erreur = u"Impossible de lire le fichier de langue %1 : %2"_s.arg(chemin, raison);
        return false;
    }

    if (octets.startsWith("\xEF\xBB\xBF"))
        octets.remove(0, 3);
    // Invalid UTF-8 becomes replacement characters: a damaged file still
    // gives every line that can be read.
    const QString texte = QString::fromUtf8(octets);
    octets.clear();

    TTables tables;
    TAnalyseur analyseur(tables);
    const QStringView vue(texte);
    qsizetype debut = 0;
    int numeroLigne = 0;
    while (debut < vue.size()) {
        qsizetype fin = debut;
        while (fin < vue.size() && vue[fin] != u'\n' && vue[fin] != u'\r')
            ++fin;
        analyseur.Ligne(++numeroLigne, vue.mid(debut, fin - debut));
        if (fin < vue.size() && vue[fin] == u'\r' && fin + 1 < vue.size() && vue[fin + 1] == u'\n')
            ++fin;
        debut = fin + 1;
    }

    // A file without a single text (empty, comments only, or not a language
    // file at all) would blank every text of the program.
    if (tables.Numeros.empty() && tables.Cles.isEmpty()) {
        if (erreur)
            *erreur = u"Le fichier de langue %1 ne contient aucun texte"_s.arg(chemin);
        return false;
    }
    Tables() = std::move(tables);
    if (erreur)
        *erreur = analyseur.Bilan();
    AppliqueTextesDeBase();
    return true;
}

void AppliqueTextesDeBase()
{
    TNomsEvenements noms;
    const auto prends = [](QString &nom, int n) {
        const QString texte = TexteBrut(n);
        if (!texte.isEmpty())
            nom = texte;
    };
    prends(noms.Naissance, 201);
    prends(noms.Bapteme, 202);
    prends(noms.Deces, 203);
    prends(noms.Inhumation, 204);
    prends(noms.Mariage, 205);
    prends(noms.Divorce, 206);
    prends(noms.Profession, 626);
    SetNomsEvenements(noms);

    const QString modele = TexteBrut(2206);
    NomModeleDefaut = modele.isEmpty() ? u"defaut"_s : modele;
}

QString MLText(int n)
{
    const QString texte = TexteBrut(n);
    if (texte.isEmpty() && g_debug)
        return u"[%1]"_s.arg(n);
    return texte;
}

QString MLTextOu(int n, const QString &francais)
{
    const QString texte = MLText(n);
    return texte.isEmpty() ? francais : texte;
}

QString FormatTexte(const QString &format, const QStringList &arguments)
{
    QString resultat;
    resultat.reserve(format.size());
    qsizetype suivant = 0;
    auto argument = [&arguments](qsizetype i) {
        return i >= 0 && i < arguments.size() ? arguments.at(i) : QString();
    };
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        const QChar d = i + 1 < format.size() ? format.at(i + 1) : QChar();
        if (c != u'%') {
            resultat += c;
        } else if (d == u'%') {
            resultat += u'%';
            ++i;
        } else if (d == u's' || d == u'd') {
            resultat += argument(suivant++);
            ++i;
        } else if (d >= u'1' && d <= u'9') {
            resultat += argument(d.unicode() - u'1');
            ++i;
        } else {
            resultat += c;
        }
    }
    return resultat;
}

QString MLFormat(int n, const QStringList &arguments)
{
    return FormatTexte(MLText(n), arguments);
}

QString MLTextKey(const QString &key)
{
    const auto &cles = Tables().Cles;
    const auto it = cles.constFind(Plie(key));
    const QString texte = it == cles.cend() ? QString() : TexteDe(*it);
    if (texte.isEmpty() && g_debug)
        return u'[' + key + u']';
    return texte;
}

void MLTranslateForm(QObject *form)
{
    if (!form)
        return;
    const auto &formes = Tables().Formes;
    const auto itForme = formes.constFind(Plie(form->objectName()));
    if (itForme == formes.cend() || form->objectName().trimmed().isEmpty())
        return;
    const TComposants &composants = *itForme;

    if (const auto it = composants.constFind(QString()); it != composants.cend())
        Traduit(form, *it, true);
    const QList<QObject *> enfants = form->findChildren<QObject *>();
    for (QObject *enfant : enfants) {
        if (enfant->objectName().trimmed().isEmpty())
            continue;
        if (const auto it = composants.constFind(Plie(enfant->objectName())); it != composants.cend())
            Traduit(enfant, *it, false);
    }
}

void SetDebugLangue(bool actif)
{
    g_debug = actif;
}

bool DebugLangue()
{
    return g_debug;
}

TReglagesLangue LitReglagesLangue(const QString &chemin)
{
    const TIniFile ini(chemin);
    const QString section = u"Langue"_s;
    TReglagesLangue r;
    r.Langue = ini.ReadInteger(section, u"Langue"_s, 1);
    if (r.Langue < 1 || r.Langue > kLangueMax)
        r.Langue = 1;
    r.Debug = ini.ReadBool(section, u"Debug"_s, false);
    QString format = ini.ReadString(section, u"FormatDate"_s, u"j/m/a"_s);
    format.remove(u' ');
    r.MoisAvantJour = format.compare(u"m/j/a"_s, Qt::CaseInsensitive) == 0;
    r.Skin = ini.ReadString(section, u"Skin"_s);

    LangueActive = r.Langue;
    SetDebugLangue(r.Debug);
    SetOrdreMoisJour(r.MoisAvantJour);
    // The event names and the default model name follow the language.
    AppliqueTextesDeBase();
    return r;
}

bool EcritReglagesLangue(const QString &chemin, const TReglagesLangue &reglages)
{
    TIniFile ini(chemin);
    const QString section = u"Langue"_s;
    ini.WriteInteger(section, u"Langue"_s, reglages.Langue);
    ini.WriteBool(section, u"Debug"_s, reglages.Debug);
    ini.WriteString(section, u"FormatDate"_s, reglages.MoisAvantJour ? u"m/j/a"_s : u"j/m/a"_s);
    ini.WriteString(section, u"Skin"_s, reglages.Skin);
    return ini.UpdateFile();
}
