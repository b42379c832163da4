#include "Calendrier.h"

#include <QDate>
#include <QLocale>
#include <QPainter>

#include "AnniFete.h"
#include "BD.h"
#include "Dates.h"
#include "Html.h"
#include "Style.h"

using namespace Qt::StringLiterals;

namespace {

bool jourValide(int mois, int jour)
{
    return mois >= 1 && mois <= 12 && jour >= 1 && jour <= 31;
}

void entre(const QString &date, int numero, const TCritereCal &c, TCalendrier &cal)
{
    if (date.isEmpty())
        return;
    const TQualifiedDate q = SplitQualifiedDate(date);
    if (q.Qualif.isEmpty() && q.Jour != 0 && q.Mois != 0 && q.Annee >= c.Debut && q.Annee <= c.Fin)
        cal.Ajoute(q.Mois, q.Jour, numero);
}

bool typeVoulu(const QString &type, const TCritereCal &c)
{
    return c.Evenement.isEmpty() || type.compare(c.Evenement, Qt::CaseInsensitive) == 0;
}

void entrePersonne(const TBD &bd, int p, const TCritereCal &c, TCalendrier &cal)
{
    const int n = bd.PersonEventCount(p);
    for (int i = 1; i <= n; ++i) {
        if (typeVoulu(bd.GetPersonEventField(p, i, EveType), c))
            entre(bd.GetPersonEventField(p, i, EveDate), p, c, cal);
    }
}

int gauche(const QSize &t, int mois)
{
    return (mois - 1) * (t.width() - BandeGaucheCal) / 12 + BandeGaucheCal;
}

int haut(const QSize &t, int jour)
{
    return (jour - 1) * (t.height() - BandeHautCal) / 31 + BandeHautCal;
}

bool estWeekEnd(int jour, int mois, int annee)
{
    const int j = DayOfWeek(jour, mois, annee);
    return j == 0 || j == 6;
}

QColor couleur(const QString &selecteur)
{
    const QColor c = TxiloStyleEdit::HtmlToColor(StyleOptions().GetStyleValue(selecteur, u"background-color"_s));
    return c.isValid() ? c : QColor(Qt::white);
}

QString majuscule(QString texte)
{
    if (!texte.isEmpty())
        texte[0] = texte[0].toUpper();
    return texte;
}

} // namespace

const std::vector<int> &TCalendrier::Cellule(int mois, int jour) const
{
    static const std::vector<int> vide;
    return jourValide(mois, jour) ? m_cellules[mois - 1][jour - 1] : vide;
}

void TCalendrier::Ajoute(int mois, int jour, int numero)
{
    if (jourValide(mois, jour))
        m_cellules[mois - 1][jour - 1].push_back(numero);
}

void TCalendrier::Vide()
{
    for (auto &mois : m_cellules) {
        for (auto &jour : mois)
            jour.clear();
    }
}

void RemplitCalendrier(const TBD &bd, const TCritereCal &c, TCalendrier &cal)
{
    cal.Vide();
    switch (c.Source) {
    case TSourceCal::Tous:
        for (int p = bd.NextPerson(0); p != 0; p = bd.NextPerson(p))
            entrePersonne(bd, p, c, cal);
        break;
    case TSourceCal::EnVie: {
        // Today once for the whole count: asking the clock reads the time
        // zone each time.
        const QDate aujourdhui = Aujourdhui();
        for (int p = bd.NextPerson(0); p != 0; p = bd.NextPerson(p)) {
            if (PersonneEnVie(bd, p, c.AgeMax, aujourdhui))
                entrePersonne(bd, p, c, cal);
        }
        break;
    }
    case TSourceCal::Rapport:
        for (int p : c.Rapport) {
            if (bd.PersonInUse(p))
                entrePersonne(bd, p, c, cal);
        }
        break;
    case TSourceCal::Unions:
        for (int u = 1; u <= bd.UnionCount(); ++u) {
            if (!bd.CheckUnion(u))
                continue;
            const int n = bd.UnionEventCount(u);
            for (int i = 1; i <= n; ++i) {
                if (typeVoulu(bd.GetUnionEventField(u, i, EveType), c))
                    entre(bd.GetUnionEventField(u, i, EveDate), u, c, cal);
            }
        }
        break;
    }
}

QRect RectCelluleCal(const QSize &t, int mois, int jour)
{
    const int x1 = gauche(t, mois);
    const int y1 = haut(t, jour);
    // Each cell reaches one pixel into the next one's edge.
    return QRect(QPoint(x1, y1), QPoint(gauche(t, mois + 1), haut(t, jour + 1)));
}

std::pair<int, int> CelluleCalEn(const QSize &t, const QPoint &point)
{
    if (point.x() < BandeGaucheCal || point.y() < BandeHautCal || point.x() > gauche(t, 13)
        || point.y() > haut(t, 32))
        return {0, 0};
    int mois = 1;
    while (mois < 12 && point.x() >= gauche(t, mois + 1))
        ++mois;
    int jour = 1;
    while (jour < 31 && point.y() >= haut(t, jour + 1))
        ++jour;
    return {mois, jour};
}

TCouleursCal CouleursCal(const QColor &trait)
{
    return {couleur(u".calcase"_s), couleur(u".calweekend"_s), couleur(u"table tbody td"_s),
            couleur(u".calmois"_s), couleur(u".caljour"_s), trait};
}

QString NomMoisCourt(int m)
{
    static const QLocale francais(QLocale::French, QLocale::France);
    return francais.toString(QDate(2000, m, 1), u"MMM"_s);
}

void DessineCalendrier(QPainter &p, const QSize &t, const TCalendrier &cal, const TCouleursCal &c, bool weekEnds,
                       int annee)
{
    QFont fonte = p.font();
    fonte.setPointSize(10);
    p.setFont(fonte);
    p.setPen(c.Trait);
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= 31; ++d) {
            QColor fond = c.Vide;
            if (!cal.Cellule(m, d).empty())
                fond = c.Case;
            else if (weekEnds && estWeekEnd(d, m, annee))
                fond = c.WeekEnd;
            p.setBrush(fond);
            const QRect r = RectCelluleCal(t, m, d);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    for (int m = 1; m <= 12; ++m) {
        const QRect r(QPoint(gauche(t, m), 0), QPoint(gauche(t, m + 1) - 1, BandeHautCal - 1));
        p.fillRect(r, c.Mois);
        p.setPen(Qt::black);
        p.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   NomMoisCourt(m));
    }
    for (int d = 1; d <= 31; ++d) {
        const QRect r(QPoint(0, haut(t, d)), QPoint(BandeGaucheCal - 1, haut(t, d + 1) - 1));
        p.fillRect(r, c.Jour);
        p.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QString::number(d));
    }
}

void PageCalendrier(THtml &html, const TBD &bd, const TCalendrier &cal, const TPageCal &page)
{
    const QString periode = u"Période de %1 à %2"_s.arg(page.Debut).arg(page.Fin);
    if (page.Anniversaires) {
        html.DebutPage(u"Calendrier des anniversaires"_s);
        html.Ajoute(u"<h3>Calendrier des anniversaires</h3>"_s);
        html.Ajoute(u"<div class=\"calendrier\">"_s);
        html.Ajoute(u"<p>"_s + periode + u"<br>Âge en %1</p>"_s.arg(page.Fin));
    } else {
        html.DebutPage(u"Calendrier des événements"_s);
        html.Ajoute(u"<h3>Calendrier des événements</h3>"_s);
        html.Ajoute(u"<div class=\"calendrier\">"_s);
        html.Ajoute(u"<p>Pour: "_s + EchappeHtml(page.Pour) + u"<br>Événement: "_s + EchappeHtml(page.Evenement)
                    + u"<br>"_s + periode + u"</p>"_s);
    }

    auto contenu = [&](int m, int d) {
        QStringList noms;
        for (int n : cal.Cellule(m, d)) {
            if (page.Unions) {
                noms << EchappeHtml(bd.FullName(bd.Husband(n))) + u" et "_s + EchappeHtml(bd.FullName(bd.Wife(n)));
            } else {
                QString nom = EchappeHtml(bd.FullName(n));
                if (page.Anniversaires)
                    nom += u" (%1)"_s.arg(page.Fin - DateYear(bd.BirthDate(n)));
                noms << nom;
            }
        }
        QString texte = noms.join(u"<br>"_s);
        const QString fetes = page.Fetes ? TableFetes().Get(m, d) : QString();
        if (!fetes.isEmpty())
            texte += (texte.isEmpty() ? QString() : u"<br>"_s) + EchappeHtml(fetes);
        return texte.isEmpty() ? u"&nbsp;"_s : texte;
    };

    const int tableaux = QList<int>{1, 2, 3, 4, 6, 12}.contains(page.Tableaux) ? page.Tableaux : 12;
    const int parTableau = 12 / tableaux;
    for (int t = 0; t < tableaux; ++t) {
        const int premier = t * parTableau + 1;
        const int dernier = premier + parTableau - 1;
        html.DebutTableau();
        html.Ajoute(u"<thead><tr><td>&nbsp;</td>"_s);
        for (int m = premier; m <= dernier; ++m)
            html.Ajoute(u"<td class=\"calmois\">"_s + majuscule(NomsMois[m]) + u"</td>"_s);
        html.Ajoute(u"</tr></thead>"_s);
        for (int d = 1; d <= 31; ++d) {
            html.Ajoute(u"<tr>"_s);
            html.Ajoute(u"<td class=\"caljour\">%1</td>"_s.arg(d));
            for (int m = premier; m <= dernier; ++m) {
                html.Ajoute(page.WeekEnds && estWeekEnd(d, m, page.Fin) ? u"<td class=\"calweekend\">"_s
                                                                         : u"<td>"_s);
                html.Ajoute(contenu(m, d));
                html.Ajoute(u"</td>"_s);
            }
            html.Ajoute(u"</tr>"_s);
        }
        // Each table ends with the end of the division, the calendar
        // page's form; browsers ignore the ends that close nothing.
        html.Ajoute(u"</table>"_s);
        html.Ajoute(u"</div>"_s);
    }
    html.FinPage();
}
