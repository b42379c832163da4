#include "TxiloMenuBarre.h"

#include <algorithm>

#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolButton>

#include "Images.h"
#include "Ini.h"

using namespace Qt::StringLiterals;

namespace {

// A skin is written by hand as often as by a program: a colour that does
// not read leaves the default rather than turning the band black.
bool LitCouleur(const QString &texte, QColor &couleur)
{
    QString t = texte.trimmed();
    if (t.startsWith(u'#'))
        t.remove(0, 1);
    // Six hexadecimal digits and nothing else: the number reader would also
    // take "0x12", a sign or a digit followed by NULs.
    const auto hexadecimal = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    };
    if (t.size() != 6 || !std::all_of(t.cbegin(), t.cend(), hexadecimal))
        return false;
    bool ok = false;
    const uint v = t.toUInt(&ok, 16);
    if (!ok)
        return false;
    couleur = QColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    return true;
}

void LitEntier(const TIniFile &ini, const QString &section, const QString &cle, int min, int max, int &valeur)
{
    const int lu = ini.ReadInteger(section, cle, valeur);
    valeur = std::clamp(lu, min, max);
}

} // namespace

TxiloMenuBarre::TxiloMenuBarre(QWidget *parent)
    : QFrame(parent), m_disposition(new QHBoxLayout(this))
{
    setObjectName(u"MenuBarre"_s);
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
    m_disposition->addStretch(1);
    Applique();
}

TxiloMenuBarre::~TxiloMenuBarre() = default;

bool TxiloMenuBarre::LoadSkin(const QString &fichier, const QString &section)
{
    const QFileInfo info(fichier);
    if (!info.isFile())
        return false;
    const TIniFile ini(fichier);
    if (!ini.SectionExists(section))
        return false;
    m_dossier = info.absolutePath() + u'/';
    LitCouleur(ini.ReadString(section, u"Couleur"_s), m_couleur);
    LitCouleur(ini.ReadString(section, u"CouleurTexte"_s), m_couleurTexte);
    LitCouleur(ini.ReadString(section, u"CouleurSurvol"_s), m_couleurSurvol);
    LitEntier(ini, section, u"Hauteur"_s, 24, 256, m_hauteur);
    LitEntier(ini, section, u"Marge"_s, 0, 64, m_marge);
    LitEntier(ini, section, u"TailleImage"_s, 8, 256, m_tailleImage);
    for (QToolButton *b : std::as_const(m_boutons))
        MetImage(b);
    Applique();
    return true;
}

QToolButton *TxiloMenuBarre::AddButton(const QString &image, const QString &texte, std::function<void()> clic)
{
    auto *b = new QToolButton(this);
    b->setObjectName(image);
    b->setText(texte);
    b->setToolTip(texte);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    if (clic)
        connect(b, &QToolButton::clicked, this, [clic = std::move(clic)] { clic(); });
    m_boutons.append(b);
    // The stretch after the buttons keeps them packed on the left.
    m_disposition->insertWidget(m_disposition->count() - 1, b);
    MetImage(b);
    Applique();
    return b;
}

void TxiloMenuBarre::MetImage(QToolButton *bouton)
{
    QImage image;
    if (!m_dossier.isEmpty() && ChargeImageQt(image, m_dossier + bouton->objectName() + u".png"_s)) {
        bouton->setIcon(QIcon(QPixmap::fromImage(image)));
        bouton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    } else {
        bouton->setIcon(QIcon());
        bouton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
}

void TxiloMenuBarre::Applique()
{
    QPalette p = palette();
    p.setColor(QPalette::Window, m_couleur);
    p.setColor(QPalette::WindowText, m_couleurTexte);
    p.setColor(QPalette::ButtonText, m_couleurTexte);
    setPalette(p);
    setFixedHeight(m_hauteur);
    m_disposition->setContentsMargins(m_marge, 0, m_marge, 0);
    m_disposition->setSpacing(m_marge);
    const QString survol = m_couleurSurvol.name();
    setStyleSheet(uR"(QToolButton { color: %1; border: none; background: transparent; padding: 2px 8px; }
QToolButton:hover, QToolButton:pressed, QToolButton:checked { background: %2; })"_s
                      .arg(m_couleurTexte.name(), survol));
    for (QToolButton *b : std::as_const(m_boutons)) {
        b->setIconSize(QSize(m_tailleImage, m_tailleImage));
        b->setMinimumHeight(std::min(m_hauteur, m_tailleImage + 2 * fontMetrics().height()));
    }
}
