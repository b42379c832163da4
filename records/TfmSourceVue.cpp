#include "TfmSourceVue.h"

#include "BD.h"
#include "Images.h"
#include "Langue.h"
#include "Options.h"
#include "TfmSource.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int TexteTousLesTypes = 1002;
constexpr int TailleMin = 50;
constexpr int TailleMax = 320;

// The thumbnail size, shared by every opening during the run.
QSize &TailleVignettes()
{
    static QSize t(100, 100);
    return t;
}

// The canvas: paints the thumbnails that the exposed area meets.
class TCanevas final : public QWidget
{
public:
    TCanevas(QWidget *parent, std::function<void(QPainter &, const QRect &)> dessin)
        : QWidget(parent)
        , m_dessin(std::move(dessin))
    {
        setObjectName(QStringLiteral("pVignettes"));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter p(this);
        m_dessin(p, event->rect());
    }

private:
    std::function<void(QPainter &, const QRect &)> m_dessin;
};

} // namespace

std::vector<QRect> PlaceVignettes(int nombre, QSize taille, int largeur)
{
    std::vector<QRect> places;
    places.reserve(static_cast<size_t>(std::max(nombre, 0)));
    int x = 0;
    int y = 0;
    for (int i = 0; i < nombre; ++i) {
        if (x > 0 && x + taille.width() > largeur) {
            x = 0;
            y += taille.height();
        }
        places.emplace_back(QPoint(x, y), taille);
        x += taille.width();
    }
    return places;
}

void DessineVignette(QPainter &painter, const QRect &rectangle, const QString &titre, const QImage &image)
{
    painter.save();
    painter.setClipRect(rectangle);
    const QFontMetrics m(painter.font());
    const QRect libelle(rectangle.left(), rectangle.bottom() - m.height() + 1, rectangle.width(), m.height());
    const QRect zone(rectangle.left(), rectangle.top(), rectangle.width(), rectangle.height() - m.height());
    QRect cible;
    if (!image.isNull() && FitRect(zone.width(), zone.height(), image.width(), image.height(), cible)) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(cible.translated(zone.topLeft()), image);
    }
    painter.setPen(Qt::black);
    painter.drawText(libelle, Qt::AlignHCenter | Qt::AlignVCenter, m.elidedText(titre, Qt::ElideRight, libelle.width()));
    painter.restore();
}

void AfficheSourceVue(TBD &bd, THoteSource &hote, QWidget *parent)
{
    TfmSourceVue vue(bd, hote, parent);
    vue.exec();
}

TfmSourceVue::TfmSourceVue(TBD &bd, THoteSource &hote, QWidget *parent)
    : QDialog(parent)
    , m_bd(bd)
    , m_hote(hote)
{
    setObjectName(QStringLiteral("fmSourceVue"));
    setWindowTitle(QStringLiteral("Aperçu des sources"));
    resize(660, 480);
    auto *l = new QVBoxLayout(this);
    auto *pHaut = new QWidget(this);
    pHaut->setObjectName(QStringLiteral("pHaut"));
    auto *haut = new QHBoxLayout(pHaut);
    m_cbSorte = new QComboBox(this);
    m_cbSorte->setObjectName(QStringLiteral("cbSorte"));
    auto piste = [this](const char *nom) {
        auto *t = new QSlider(Qt::Horizontal, this);
        t->setObjectName(QString::fromLatin1(nom));
        t->setRange(TailleMin, TailleMax);
        t->setTickInterval(20);
        t->setTickPosition(QSlider::TicksBelow);
        return t;
    };
    m_tbL = piste("tbL");
    m_tbH = piste("tbH");
    m_tbL->setValue(TailleVignettes().width());
    m_tbH->setValue(TailleVignettes().height());
    haut->addWidget(new QLabel(QStringLiteral("Afficher"), this));
    haut->addWidget(m_cbSorte, 1);
    haut->addWidget(new QLabel(QStringLiteral("Largeur"), this));
    haut->addWidget(m_tbL, 1);
    haut->addWidget(new QLabel(QStringLiteral("Hauteur"), this));
    haut->addWidget(m_tbH, 1);
    l->addWidget(pHaut);
    m_sb = new QScrollArea(this);
    m_sb->setObjectName(QStringLiteral("sb"));
    m_sb->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_canevas = new TCanevas(m_sb, [this](QPainter &p, const QRect &expose) {
        for (size_t i = 0; i < m_places.size() && i < m_vignettes.size(); ++i) {
            if (m_places[i].intersects(expose))
                DessineVignette(p, m_places[i], m_vignettes[i].Titre, m_vignettes[i].Image);
        }
    });
    m_sb->setWidget(m_canevas);
    l->addWidget(m_sb, 1);
    // The bar and the thumbnails' ground wear the main window's background;
    // the canvas, transparent, lets it through between the thumbnails.
    const QBrush fond = m_hote.Fond();
    if (fond.style() != Qt::NoBrush) {
        for (QWidget *w : {pHaut, m_sb->viewport()}) {
            QPalette palette = w->palette();
            palette.setBrush(QPalette::Window, fond);
            w->setPalette(palette);
            w->setBackgroundRole(QPalette::Window);
            w->setAutoFillBackground(true);
        }
    }
    MLTranslateForm(this);

    m_lecture.setInterval(0);
    connect(&m_lecture, &QTimer::timeout, this, &TfmSourceVue::LitSuivante);
    connect(m_cbSorte, &QComboBox::activated, this, &TfmSourceVue::AfficheTous);
    for (QSlider *t : {m_tbL, m_tbH}) {
        connect(t, &QSlider::valueChanged, this, [this] {
            TailleVignettes() = QSize(m_tbL->value(), m_tbH->value());
            Resize();
            // Pictures read for smaller thumbnails are read again.
            m_suivante = 0;
            m_lecture.start();
        });
    }
    m_canevas->installEventFilter(this);
    m_sb->viewport()->installEventFilter(this);
}

TfmSourceVue::~TfmSourceVue() = default;

int TfmSourceVue::SourceVignette(int i) const
{
    return i >= 0 && i < NombreVignettes() ? m_vignettes[static_cast<size_t>(i)].Source : 0;
}

QRect TfmSourceVue::Vignette(int i) const
{
    return i >= 0 && i < static_cast<int>(m_places.size()) ? m_places[static_cast<size_t>(i)] : QRect();
}

QImage TfmSourceVue::ImageVignette(int i) const
{
    return i >= 0 && i < NombreVignettes() ? m_vignettes[static_cast<size_t>(i)].Image : QImage();
}

void TfmSourceVue::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const int sorte = std::max(m_cbSorte->currentIndex(), 0);
    m_cbSorte->clear();
    m_cbSorte->addItem(MLText(TexteTousLesTypes));
    m_cbSorte->addItems(Options().Sources);
    m_cbSorte->setCurrentIndex(sorte < m_cbSorte->count() ? sorte : 0);
    AfficheTous();
}

void TfmSourceVue::done(int resultat)
{
    m_lecture.stop();
    QDialog::done(resultat);
}

void TfmSourceVue::AfficheTous()
{
    m_vignettes.clear();
    const bool tous = m_cbSorte->currentIndex() <= 0;
    const QString genre = m_cbSorte->currentText();
    for (int s = 1; s <= m_bd.SourceCount(); ++s) {
        const TSrc &src = m_bd.Source(s);
        if (src.EnService && (tous || src.Genre == genre))
            m_vignettes.push_back({s, src.Titre, QImage(), QSize()});
    }
    Resize();
    m_suivante = 0;
    m_lecture.start();
}

void TfmSourceVue::Resize()
{
    const int largeur = m_sb->viewport()->width();
    std::vector<QRect> places = PlaceVignettes(NombreVignettes(), TailleVignettes(), largeur);
    const int hauteur = places.empty() ? 0 : places.back().bottom() + 1;
    if (places != m_places || m_canevas->size() != QSize(largeur, hauteur)) {
        m_places = std::move(places);
        m_canevas->setFixedSize(largeur, hauteur);
        m_canevas->update();
    }
}

QSize TfmSourceVue::BoiteImage() const
{
    return QSize(TailleVignettes().width(), TailleVignettes().height() - m_canevas->fontMetrics().height());
}

void TfmSourceVue::LitImage(TVignette &v)
{
    v.Lue = BoiteImage();
    v.Image = QImage();
    const QString chemin = CheminSource(m_bd.SourceField(v.Source, SrcCheminSeul));
    if (!chemin.isEmpty() && v.Lue.isValid() && !v.Lue.isEmpty())
        ChargeImageSource(v.Image, chemin, v.Lue);
}

void TfmSourceVue::LitSuivante()
{
    // One picture a turn of the event loop: the window answers between two.
    const QSize boite = BoiteImage();
    while (m_suivante < m_vignettes.size()) {
        const size_t i = m_suivante++;
        TVignette &v = m_vignettes[i];
        if (v.Lue.isValid() && v.Lue.width() >= boite.width() && v.Lue.height() >= boite.height())
            continue;
        LitImage(v);
        if (i < m_places.size())
            m_canevas->update(m_places[i]);
        emit VignetteLue(static_cast<int>(i));
        return;
    }
    m_lecture.stop();
}

void TfmSourceVue::Select(int i)
{
    if (i < 0 || i >= NombreVignettes())
        return;
    const int s = m_vignettes[static_cast<size_t>(i)].Source;
    EditeSource(m_bd, m_hote, s, this);
    // The editor may have changed the title and the file.
    if (i < NombreVignettes() && m_vignettes[static_cast<size_t>(i)].Source == s) {
        TVignette &v = m_vignettes[static_cast<size_t>(i)];
        v.Titre = m_bd.SourceField(s, SrcTitre);
        LitImage(v);
        m_canevas->update(m_places[static_cast<size_t>(i)]);
    }
}

bool TfmSourceVue::eventFilter(QObject *objet, QEvent *evenement)
{
    if (objet == m_sb->viewport() && evenement->type() == QEvent::Resize)
        Resize();
    if (objet == m_canevas && evenement->type() == QEvent::MouseButtonRelease) {
        const QPoint p = static_cast<QMouseEvent *>(evenement)->position().toPoint();
        for (size_t i = 0; i < m_places.size(); ++i) {
            if (m_places[i].contains(p)) {
                Select(static_cast<int>(i));
                break;
            }
        }
        return true;
    }
    return QDialog::eventFilter(objet, evenement);
}
