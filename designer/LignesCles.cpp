#include "LignesCles.h"

namespace {

bool EstCle(const QString &ligne, QStringView cle)
{
    // Comparing the prefix first keeps the search to one pass over the few
    // characters of the key, without looking for the "=" of every line.
    return ligne.size() > cle.size() && ligne.at(cle.size()) == u'='
           && QStringView(ligne).first(cle.size()).compare(cle, Qt::CaseInsensitive) == 0
           && !QStringView(ligne).first(cle.size()).contains(u'=');
}

} // namespace

qsizetype TLignesCles::Indice(QStringView cle) const
{
    for (qsizetype i = 0; i < m_lignes.size(); ++i) {
        if (EstCle(m_lignes.at(i), cle))
            return i;
    }
    return -1;
}

QString TLignesCles::Valeur(QStringView cle) const
{
    const qsizetype i = Indice(cle);
    return i < 0 ? QString() : m_lignes.at(i).mid(cle.size() + 1);
}

void TLignesCles::Ecrit(const QString &cle, const QString &valeur)
{
    const qsizetype i = Indice(cle);
    if (valeur.isEmpty()) {
        if (i >= 0)
            m_lignes.removeAt(i);
        return;
    }
    QString ligne = cle + u'=' + valeur;
    if (i >= 0)
        m_lignes[i] = std::move(ligne);
    else
        m_lignes.append(std::move(ligne));
}

void TLignesCles::EcritSeule(const QString &cle, const QString &valeur)
{
    Ecrit(cle, valeur);
    const qsizetype premiere = valeur.isEmpty() ? -1 : Indice(cle);
    for (qsizetype i = m_lignes.size() - 1; i > premiere; --i) {
        if (EstCle(m_lignes.at(i), cle))
            m_lignes.removeAt(i);
    }
}
