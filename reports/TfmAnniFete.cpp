#include "TfmAnniFete.h"

#include <algorithm>

#include <QDate>
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
#include "Globales.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Largeur = 280;
constexpr int Hauteur = 180;
constexpr int Coin = 24;
constexpr int JoursMax = 365;

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
    explicit TLignes(const std::vector<TLigne> &lignes)
        : m_lignes(lignes)
    {
        setAttribute(Qt::WA_TranslucentBackground);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        p.setPen(Qt::black);
        for (const TLigne &l : m_lignes) {
            const QRect r(l.Position, l.Taille);
            if (!r.intersects(event->rect()))
                continue;
            p.setFont(l.Fonte);
            p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, l.Texte);
        }
    }

private:
    const std::vector<TLigne> &m_lignes;
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
    m_image3 = new TLignes(m_lignes);
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
    bool trouve = false;
    for (int i = 1; i <= n && !trouve; ++i)
        trouve = !entrees(i).empty();
    AjouteLigneAnniv(u" "_s, 10);
    if (trouve) {
        AjouteLigneAnniv(u"Anniversaires et fêtes à souhaiter"_s, 14);
        AjouteLigneAnniv(u"pour les %1 prochains jours:"_s.arg(n), 14);
    } else {
        AjouteLigneAnniv(u"Aucun anniversaires ou fêtes à souhaiter"_s, 14);
        AjouteLigneAnniv(u"dans les %1 prochains jours."_s.arg(n), 14);
        AjouteLigneAnniv(u" "_s, 14);
        AjouteLigneAnniv(u"Le prochain aura lieu le:"_s, 14);
    }
    for (int i = 1; i <= JoursMax; ++i) {
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

void TfmAnniFete::AjouteLigneAnniv(const QString &texte, int hauteur, bool gras)
{
    QFont fonte = font();
    fonte.setPixelSize(hauteur);
    fonte.setBold(gras);
    // A line wider than the box would lose its end (a long date in large
    // type): its type is made smaller until it fits.
    const int place = m_sb->width() - 20;
    QFontMetrics mesure(fonte);
    int largeur = mesure.horizontalAdvance(texte);
    while (fonte.pixelSize() > 8 && largeur > place) {
        fonte.setPixelSize(fonte.pixelSize() - 1);
        mesure = QFontMetrics(fonte);
        largeur = mesure.horizontalAdvance(texte);
    }
    m_lignes.push_back({texte, fonte, QPoint(std::max(0, (place - largeur) / 2), m_haut),
                        QSize(largeur, mesure.height())});
    m_haut += mesure.height() + 1;
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

bool AfficheAnniFete(QWidget *owner)
{
    TAnniFete anniFete;
    if (!LitAnniFete(FichierAnniFete, &anniFete))
        return false;
    TfmAnniFete fenetre(anniFete, owner);
    fenetre.exec();
    return true;
}
