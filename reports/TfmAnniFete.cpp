#include "TfmAnniFete.h"

#include <algorithm>

#include <QDate>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>

#include "Dates.h"
#include "Dialogues.h"
#include "Globales.h"
#include "Langue.h"
#include "Textes.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Largeur = 280;
constexpr int Hauteur = 180;
constexpr int Coin = 24;
constexpr int JoursMax = 365;
constexpr int TexteIllisible = 5001;

QString dateLongue(const QDate &d)
{
    return DateLongue(d.day(), d.month(), d.year());
}

// The background: a pale gradient with a thin frame inside the rounded edge.
QPixmap fond()
{
    QPixmap image(Largeur, Hauteur);
    QPainter p(&image);
    QLinearGradient degrade(0, 0, 0, Hauteur);
    degrade.setColorAt(0, QColor(255, 250, 225));
    degrade.setColorAt(1, QColor(250, 225, 170));
    p.fillRect(image.rect(), degrade);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(190, 140, 60), 2));
    p.drawRoundedRect(QRectF(image.rect()).adjusted(1, 1, -1, -1), Coin / 2.0, Coin / 2.0);
    return image;
}

} // namespace

// The content of the scroll box: paints the window's lines where they were
// laid out, on a transparent background.
class TfmAnniFete::TLignes final : public QWidget
{
public:
    explicit TLignes(const TfmAnniFete &fenetre)
        : m_fenetre(fenetre)
    {
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        p.setPen(Qt::black);
        const QRect zone = event->rect();
        for (size_t i = 0; i < m_fenetre.m_lignes.size(); ++i) {
            const TLigne &rangee = m_fenetre.m_lignes[i];
            if (rangee.Position.y() > zone.bottom())
                break;
            if (rangee.Position.y() + rangee.Taille.height() < zone.top())
                continue;
            const TLigne &l = m_fenetre.LigneMesuree(i);
            p.setFont(l.Fonte);
            p.drawText(QRect(l.Position, l.Taille), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, l.Texte);
        }
    }

private:
    const TfmAnniFete &m_fenetre;
};

TfmAnniFete::TfmAnniFete(const TAnniFete &anniFete, QWidget *parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
{
    setObjectName(u"fmAnniFete"_s);
    setWindowTitle(u"Anniversaires et fêtes à souhaiter"_s);
    setFixedSize(Largeur, Hauteur);
    QPainterPath contour;
    contour.addRoundedRect(QRectF(0, 0, Largeur, Hauteur), Coin / 2.0, Coin / 2.0);
    setMask(QRegion(contour.toFillPolygon().toPolygon()));

    m_image2 = new QLabel(this);
    m_image2->setObjectName(u"Image2"_s);
    m_image2->setGeometry(rect());
    m_image2->setPixmap(fond());
    m_sb = new QScrollArea(this);
    m_sb->setObjectName(u"sb"_s);
    m_sb->setGeometry(10, 10, 260, 160);
    m_sb->setFrameShape(QFrame::NoFrame);
    m_sb->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_sb->setFocusPolicy(Qt::NoFocus);
    m_sb->setStyleSheet(u"QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"_s);
    m_image3 = new TLignes(*this);
    m_image3->setObjectName(u"Image3"_s);
    m_image3->setCursor(Qt::PointingHandCursor);
    m_sb->setWidget(m_image3);
    for (QWidget *w : {static_cast<QWidget *>(m_image2), static_cast<QWidget *>(m_image3), m_sb->viewport()})
        w->installEventFilter(this);

    const QDate auj = Aujourdhui();
    AjouteLigneAnniv(dateLongue(auj), 22, true);
    const QString fetes = TableFetes().Get(auj.month(), auj.day());
    if (!fetes.isEmpty())
        AjouteLigneAnniv(u"Fêtes: "_s + fetes, 16);
    const auto &aujourdhui = anniFete.Jour(auj.month(), auj.day());
    if (!aujourdhui.empty()) {
        AjouteLigneAnniv(u" "_s, 10);
        AjouteLigneAnniv(u"Aujourd'hui:"_s, 16, true);
        GrilleVersLignes(aujourdhui, auj.year());
    }

    // Days follow by Julian day, so months and years roll over.
    const int n = anniFete.NbreJour;
    auto jour = [&auj](int i) { return auj.addDays(i); };
    auto entrees = [&](int i) -> const std::vector<TEntreeAnniFete> & {
        const QDate d = jour(i);
        return anniFete.Jour(d.month(), d.day());
    };
    // The first day ahead that has something to wish, within a year.
    int premier = 0;
    for (int i = 1; i <= JoursMax && premier == 0; ++i) {
        if (!entrees(i).empty())
            premier = i;
    }
    const bool trouve = premier > 0 && premier <= n;
    AjouteLigneAnniv(u" "_s, 10);
    if (trouve) {
        AjouteLigneAnniv(u"Anniversaires et fêtes à souhaiter"_s, 14);
        AjouteLigneAnniv(u"pour les %1 prochains jours:"_s.arg(n), 14);
    } else {
        AjouteLigneAnniv(u"Aucun anniversaire ni fête à souhaiter"_s, 14);
        AjouteLigneAnniv(u"dans les %1 prochains jours."_s.arg(n), 14);
        // Nobody at all to wish within a year: no date to announce.
        if (premier > 0) {
            AjouteLigneAnniv(u" "_s, 14);
            AjouteLigneAnniv(u"Le prochain aura lieu le:"_s, 14);
        }
    }
    for (int i = premier; premier > 0 && i <= JoursMax; ++i) {
        if (trouve && i > n)
            break;
        const auto &e = entrees(i);
        if (e.empty())
            continue;
        const QDate d = jour(i);
        AjouteLigneAnniv(u" "_s, 10);
        AjouteLigneAnniv(dateLongue(d) + u" (%1 jour%2)."_s.arg(i).arg(i > 1 ? u"s"_s : QString()), 16, true);
        GrilleVersLignes(e, d.year());
        if (!trouve)
            break;
    }
    m_image3->resize(m_sb->viewport()->width(), m_haut);

    if (const QScreen *ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());
}

QStringList TfmAnniFete::Lignes() const
{
    QStringList lignes;
    for (const TLigne &l : m_lignes)
        lignes << l.Texte;
    return lignes;
}

const std::vector<TfmAnniFete::TLigne> &TfmAnniFete::LignesAnniv() const
{
    for (size_t i = 0; i < m_lignes.size(); ++i)
        LigneMesuree(i);
    return m_lignes;
}

const std::pair<QFont, QFontMetrics> &TfmAnniFete::Fonte(int hauteur, bool gras) const
{
    const auto cle = std::make_pair(hauteur, gras);
    auto f = m_fontes.find(cle);
    if (f == m_fontes.end()) {
        QFont fonte = font();
        fonte.setPixelSize(hauteur);
        fonte.setBold(gras);
        f = m_fontes.emplace(cle, std::make_pair(fonte, QFontMetrics(fonte))).first;
    }
    return f->second;
}

void TfmAnniFete::AjouteLigneAnniv(const QString &texte, int hauteur, bool gras)
{
    // The row is the asked type's, so that the lines are laid out without
    // measuring their texts: that waits until they are painted.
    const auto &[fonte, mesure] = Fonte(hauteur, gras);
    m_lignes.push_back({texte, fonte, QPoint(0, m_haut), QSize(0, mesure.height())});
    m_demandes.push_back({hauteur, gras, false});
    m_haut += mesure.height() + 1;
}

const TfmAnniFete::TLigne &TfmAnniFete::LigneMesuree(size_t i) const
{
    TLigne &l = m_lignes[i];
    TDemande &d = m_demandes[i];
    if (d.Mesuree)
        return l;
    d.Mesuree = true;
    // A line wider than the box would lose its end (a long date in large
    // type, a long name): its type is made smaller until it fits, down to a
    // size still read.
    constexpr int TailleMin = 8;
    const int place = m_sb->width() - 20;
    const auto largeurA = [&](int taille) { return Fonte(taille, d.Gras).second.horizontalAdvance(l.Texte); };
    const int taille =
        d.Hauteur > TailleMin ? std::max(TailleMin, HauteurQuiTient(d.Hauteur, place, largeurA)) : d.Hauteur;
    const int largeur = largeurA(taille);
    const auto &[fonte, mesure] = Fonte(taille, d.Gras);
    l.Fonte = fonte;
    l.Position.setX(std::max(0, (place - largeur) / 2));
    l.Taille = QSize(largeur, mesure.height());
    return l;
}

void TfmAnniFete::GrilleVersLignes(const std::vector<TEntreeAnniFete> &entrees, int annee)
{
    for (const TEntreeAnniFete &e : entrees) {
        QString texte = e.Genre + u" de "_s + e.Nom;
        bool lu = false;
        const int naissance = e.Annee.trimmed().toInt(&lu);
        const int age = annee - naissance;
        if (lu && naissance > 0 && age >= 0)
            texte += u" (%1 an%2)"_s.arg(age).arg(age > 1 ? u"s"_s : QString());
        AjouteLigneAnniv(texte + u'.', 14);
    }
}

void TfmAnniFete::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    accept();
}

void TfmAnniFete::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    accept();
}

bool TfmAnniFete::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::MouseButtonPress) {
        accept();
        return true;
    }
    return QDialog::eventFilter(objet, evenement);
}

TRappelAnniFete AfficheAnniFete(QWidget *owner)
{
    TAnniFete anniFete;
    QString erreur;
    if (!LitAnniFete(FichierAnniFete, &anniFete, &erreur)) {
        // No file is no anniversary to wish; a file that is there but
        // cannot be read is the user's to know.
        if (!QFileInfo::exists(FichierAnniFete))
            return TRappelAnniFete::SansFichier;
        AppMessageBox(MLFormat(TexteIllisible, {FichierAnniFete, erreur}), MsgErreur, BoutonsOk);
        return TRappelAnniFete::Illisible;
    }
    TfmAnniFete fenetre(anniFete, owner);
    fenetre.exec();
    return TRappelAnniFete::Montre;
}
