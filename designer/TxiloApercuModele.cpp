#include "TxiloApercuModele.h"

#include <algorithm>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardPaths>

#include "Bitmaps.h"
#include "Fichiers.h"
#include "Images.h"

using namespace Qt::StringLiterals;

namespace {

QString AvecSeparateur(const QString &dossier)
{
    return dossier.isEmpty() || dossier.endsWith(u'/') ? dossier : dossier + u'/';
}

// The preview beside a model: the same path with ".jpg" for ".mdl".
QString ApercuACote(const QString &modele)
{
    return modele.chopped(4) + u".jpg"_s;
}

} // namespace

// The picture control: paints the cells it is asked to and hands its mouse
// to the chooser.
class TxiloApercuModele::TImageApercus final : public QWidget
{
public:
    explicit TImageApercus(TxiloApercuModele &apercu) : QWidget(nullptr), m_apercu(apercu)
    {
        setObjectName(u"Apercus"_s);
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // The pictures of the entries as last loaded; null for those not drawn.
    std::vector<QImage> Images;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), m_apercu.palette().color(QPalette::Window));
        const int n = int(Images.size());
        for (int i = 0; i < n; ++i) {
            const QImage &image = Images[size_t(i)];
            const QRect cellule = m_apercu.CellRect(i);
            if (image.isNull() || !cellule.intersects(event->rect()))
                continue;
            QRect place;
            if (!FitRect(cellule.width(), cellule.height(), image.width(), image.height(), place))
                continue;
            const int e = m_apercu.m_espacement;
            painter.drawImage(cellule.topLeft() + place.topLeft() + QPoint(e, e), image);
        }
    }
    void mouseMoveEvent(QMouseEvent *event) override { m_apercu.SourisDeplace(event->position().toPoint()); }
    void mousePressEvent(QMouseEvent *event) override { m_apercu.SourisBas(event->position().toPoint()); }

private:
    TxiloApercuModele &m_apercu;
};

TxiloApercuModele::TxiloApercuModele(QWidget *parent)
    : QScrollArea(parent), m_image(new TImageApercus(*this))
{
    setObjectName(u"TxiloApercuModele"_s);
    resize(400, 400);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWidget(m_image);
    m_image->resize(0, 0);
    SetDossierCache(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/apercus"_s);
}

TxiloApercuModele::~TxiloApercuModele() = default;

void TxiloApercuModele::SetDossierCache(const QString &dossier)
{
    m_dossierCache = AvecSeparateur(dossier);
}

void TxiloApercuModele::SetOnResolveFile(TxiloCADMdl::TOnResolveFile f)
{
    m_resout = std::move(f);
    if (m_rendu)
        m_rendu->SetOnResolveFile(m_resout);
}

TxiloCADMdl &TxiloApercuModele::ModeleRendu()
{
    if (!m_rendu) {
        m_rendu = std::make_unique<TxiloCADMdl>(nullptr, QRect(0, 0, 210, 297), 21.0, 29.7);
        PrepareRendu(*m_rendu, m_resout);
    }
    return *m_rendu;
}

void TxiloApercuModele::PrepareRendu(TxiloCADMdl &rendu, TxiloCADMdl::TOnResolveFile resout)
{
    rendu.Interrupteurs().ReduitTexte = true;
    rendu.Interrupteurs().Messages = false;
    rendu.SetOnResolveFile(std::move(resout));
}

int TxiloApercuModele::Colonnes() const
{
    // A cell of no width (an auto-sized chooser whose first preview could
    // not be read) would divide by 0: its entries stand in one column.
    const int pas = m_large + m_espacement;
    if (pas <= 0)
        return 1;
    return std::max(1, (width() - MargeDefilement) / pas);
}

QRect TxiloApercuModele::CellRect(int i) const
{
    const int colonnes = Colonnes();
    const int c = i % colonnes;
    const int r = i / colonnes;
    return QRect(c * m_large, r * m_haut, m_large, m_haut);
}

int TxiloApercuModele::IndexAt(int x, int y) const
{
    if (x < 0 || y < 0 || m_large <= 0 || m_haut <= 0)
        return -1;
    const int colonnes = Colonnes();
    const int c = x / m_large;
    if (c >= colonnes)
        return -1;
    const qint64 i = qint64(y / m_haut) * colonnes + c;
    return i < Count() ? int(i) : -1;
}

QString TxiloApercuModele::ApercuEnCache(const QString &modele) const
{
    // One subfolder per models folder, so that two folders' models of the
    // same name keep their own previews.
    const QFileInfo info(modele);
    const QByteArray empreinte =
        QCryptographicHash::hash(info.absolutePath().toUtf8(), QCryptographicHash::Md5).toHex();
    return m_dossierCache + QString::fromLatin1(empreinte) + u'/' + ApercuACote(info.fileName());
}

QString TxiloApercuModele::EcritApercu(TxiloCADMdl &rendu, const QString &modele, int largeur, int hauteur,
                                       TColor cadre)
{
    const QString aCote = ApercuACote(modele);
    if (rendu.ExportJpeg(aCote, largeur, hauteur, cadre))
        return aCote;
    const QString cache = ApercuEnCache(modele);
    if (QDir().mkpath(QFileInfo(cache).absolutePath()) && rendu.ExportJpeg(cache, largeur, hauteur, cadre))
        return cache;
    return QString();
}

QString TxiloApercuModele::TrouveApercu(const QString &modele)
{
    const QString aCote = ApercuACote(modele);
    const QFileInfo livre(aCote);
    // A preview in the cache was made from the model as it was then: a
    // model changed since (a new version of the program) is rendered again.
    // One drawn again (F5) where the model's own could not be replaced is
    // newer than it, and shown instead.
    const QString cache = ApercuEnCache(modele);
    const QFileInfo enCache(cache);
    const bool cacheAJour = enCache.isFile() && enCache.lastModified() >= QFileInfo(modele).lastModified();
    if (livre.isFile())
        return cacheAJour && enCache.lastModified() > livre.lastModified() ? cache : aCote;
    if (cacheAJour)
        return cache;
    TxiloCADMdl &rendu = ModeleRendu();
    if (!rendu.LoadFromFile(modele))
        return aCote;
    const QString ecrit = EcritApercu(rendu, modele, LargeurRendu, HauteurRendu, CadreRendu);
    // The rendering model keeps no picture or object of a model once done.
    rendu.ClearObjects();
    return ecrit.isEmpty() ? aCote : ecrit;
}

void TxiloApercuModele::LoadFolder(const QString &dossier)
{
    m_modeles.clear();
    m_apercus.clear();
    ListFiles(m_modeles, dossier, u".mdl"_s, false);
    m_apercus.reserve(m_modeles.size());
    for (const QString &modele : std::as_const(m_modeles))
        m_apercus.append(TrouveApercu(modele));
    verticalScrollBar()->setValue(0);
    Refresh();
}

void TxiloApercuModele::Refresh()
{
    std::vector<QImage> &images = m_image->Images;
    images.assign(size_t(m_apercus.size()), QImage());
    for (qsizetype i = 0; i < m_apercus.size(); ++i) {
        QImage image;
        if (QFileInfo(m_apercus[i]).isFile() && LoadPicture(image, m_apercus[i]))
            images[size_t(i)] = image;
    }
    if (m_tailleAuto && !images.empty()) {
        // Cells sized from a picture that could not be read have no size.
        m_large = images[0].width();
        m_haut = images[0].height();
    }
    Dispose();
}

void TxiloApercuModele::Dispose()
{
    m_colonnesDessinees = 0;
    const int n = Count();
    if (n == 0 || m_large <= 0 || m_haut <= 0) {
        m_image->resize(0, 0);
    } else {
        const int colonnes = Colonnes();
        const int lignes = (n + colonnes - 1) / colonnes;
        m_image->resize(m_large * colonnes, lignes * m_haut);
        m_colonnesDessinees = colonnes;
    }
    m_image->update();
}

void TxiloApercuModele::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    // A new width may hold another number of columns: the grid is laid out
    // again from the pictures already loaded.
    if (m_colonnesDessinees > 0 && Colonnes() != m_colonnesDessinees)
        Dispose();
}

void TxiloApercuModele::SourisDeplace(QPoint p)
{
    if (IndexAt(p.x(), p.y()) >= 0)
        m_image->setCursor(Qt::PointingHandCursor);
    else
        m_image->unsetCursor();
}

void TxiloApercuModele::SourisBas(QPoint p)
{
    const int i = IndexAt(p.x(), p.y());
    if (i >= 0)
        emit OnClique(i, m_modeles[i]);
}
