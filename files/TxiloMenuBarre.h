#pragma once

#include <functional>

#include <QColor>
#include <QFrame>
#include <QList>
#include <QString>

class QHBoxLayout;
class QToolButton;

// A skinned button bar: a row of picture buttons, from the left, on a
// coloured band, whose colours, height and pictures come from a skin file.
//
// The skin is a section of a settings file (core/Ini) whose keys are all
// optional; a value that is missing or cannot be read keeps the default:
//   Couleur=RRGGBB        the band, and the colour windows give their panels
//                         beside it (default E8E8E8)
//   CouleurTexte=RRGGBB   the captions (default 000000)
//   CouleurSurvol=RRGGBB  a button under the pointer or pressed (C8D8F0)
//   Hauteur=n             the band's height in pixels, 24 to 256 (72)
//   Marge=n               pixels before the first button and between
//                         buttons, 0 to 64 (4)
//   TailleImage=n         the side of the square the pictures are shown in,
//                         8 to 256 (40)
// Colours are six hexadecimal digits, red first, a leading "#" allowed. The
// button pictures are PNG files of the skin file's folder named after the
// button ("btn21" is "btn21.png"); a button whose picture is missing shows
// its caption alone.
class TxiloMenuBarre final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TxiloMenuBarre)

public:
    explicit TxiloMenuBarre(QWidget *parent = nullptr);
    ~TxiloMenuBarre() override;

    // Reads the skin from section `section` of `fichier` (letter case of
    // the section ignored) and applies it to the band and to the buttons
    // already added. False, the defaults kept, when the file does not exist
    // or has no such section.
    bool LoadSkin(const QString &fichier, const QString &section);
    // Adds a button after the last one: objectName `image`, the picture
    // `image` + ".png" of the skin's folder above the caption `texte`, which
    // is also its tool tip; `clic` (may be empty) runs at each click. The
    // button belongs to the bar.
    QToolButton *AddButton(const QString &image, const QString &texte, std::function<void()> clic);

    QColor Couleur() const { return m_couleur; }
    QColor CouleurTexte() const { return m_couleurTexte; }
    QColor CouleurSurvol() const { return m_couleurSurvol; }
    int TailleImage() const { return m_tailleImage; }
    // The buttons in order from the left.
    const QList<QToolButton *> &Boutons() const { return m_boutons; }

private:
    void Applique();
    void MetImage(QToolButton *bouton);

    QHBoxLayout *m_disposition;
    QList<QToolButton *> m_boutons;
    QString m_dossier;
    QColor m_couleur{0xE8, 0xE8, 0xE8};
    QColor m_couleurTexte{0, 0, 0};
    QColor m_couleurSurvol{0xC8, 0xD8, 0xF0};
    int m_hauteur = 72;
    int m_marge = 4;
    int m_tailleImage = 40;
};
