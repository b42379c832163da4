#pragma once

// Helpers of the tree test programs: a main window standing in for the real
// one, blank pictures and their ink, and the tree globals given back after a
// test.

#include "Globales.h"
#include "Look.h"
#include "TAffArbre.h"
#include "TPage.h"

#include <QImage>
#include <QRect>
#include <QScrollArea>

#include <memory>

#include <vector>

// Records the presses outside the boxes; does nothing else.
class HoteArbreTest final : public THoteArbre
{
public:
    struct Clic {
        Qt::MouseButton bouton;
        Qt::KeyboardModifiers touches;
        QPoint position;
        bool operator==(const Clic &) const = default;
    };
    std::vector<Clic> Clics;

    int SelecPers() const override { return 0; }
    void SetSelecPers(int) override {}
    void ShowFiche() override {}
    void TitreFenetre() override {}
    void ArbreMouseDown(Qt::MouseButton b, Qt::KeyboardModifiers t, const QPoint &p) override
    {
        Clics.push_back({b, t, p});
    }
    QMenu *MenuBoite() override { return nullptr; }
};

// Wires a tree as the main window does: a canvas in the scroll area and a
// builder drawing on it; the area is sized and shown.
inline void RelieArbre(QScrollArea &vue, TPage *&page, std::unique_ptr<TAffArbre> &arbre, TBD &bd,
                       THoteArbre &hote, QSize taille)
{
    vue.resize(taille);
    page = new TPage; // owned by the scroll area
    vue.setWidget(page);
    vue.setWidgetResizable(true);
    arbre = std::make_unique<TAffArbre>(bd, &vue, hote);
    arbre->SetPage(page);
    page->SetArbre(arbre.get());
    vue.show();
}

inline QImage Toile(int w, int h, QRgb fond = qRgb(255, 255, 255))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fond);
    return image;
}

// The pixels other than the background, row by row.
inline std::vector<QPoint> PointsEncre(const QImage &image, QRgb fond = qRgb(255, 255, 255))
{
    std::vector<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != fond)
                points.emplace_back(x, y);
    return points;
}

// Their bounding rectangle; a null rectangle when there are none.
inline QRect Encre(const QImage &image, QRgb fond = qRgb(255, 255, 255))
{
    QRect r;
    for (const QPoint &p : PointsEncre(image, fond))
        r |= QRect(p, QSize(1, 1));
    return r;
}

// The globals of the tree that tests change, given back at the end of the
// scope.
struct GardeGlobales {
    GardeGlobales() {}
    const TLooks looks = Looks;
    const TColor couleurEcran = CouleurEcran;
    const QString textEcran = TextEcran, nomLook = NomLook, dossierImageArbre = DossierImageArbre,
                  fichierCourant = FichierCourant, dossierArbreUser = DossierArbreUser,
                  dossierImageArbreUser = DossierImageArbreUser;
    ~GardeGlobales()
    {
        Looks = looks;
        CouleurEcran = couleurEcran;
        TextEcran = textEcran;
        NomLook = nomLook;
        DossierImageArbre = dossierImageArbre;
        FichierCourant = fichierCourant;
        DossierArbreUser = dossierArbreUser;
        DossierImageArbreUser = dossierImageArbreUser;
    }
};
