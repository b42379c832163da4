#include "CommandesCal.h"

#include <QBoxLayout>
#include <QToolButton>

#include "Dates.h"
#include "Dialogues.h"
#include "Langue.h"
#include "TfmAnniFete.h"
#include "TfmCal.h"
#include "TfmCalConv.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int TextePasDAnniversaires = 8300;

} // namespace

TCommandesCal::TCommandesCal(const TBD &bd, TfmRapport &rapport, std::function<void(int)> selecFiche,
                             QWidget *fenetre)
    : QObject(fenetre)
    , m_cal(new TfmCal(bd, rapport, std::move(selecFiche), fenetre))
    , m_fenetre(fenetre)
{
}

TCommandesCal::~TCommandesCal() = default;

QToolButton *TCommandesCal::Bouton(QToolButton *apres, const QString &nom, const QString &texte)
{
    auto *b = new QToolButton(apres->parentWidget());
    b->setObjectName(nom);
    b->setText(texte);
    b->setToolTip(texte);
    b->setToolButtonStyle(apres->toolButtonStyle());
    b->setSizePolicy(apres->sizePolicy());
    if (auto *disposition = qobject_cast<QBoxLayout *>(apres->parentWidget()->layout()))
        disposition->insertWidget(disposition->indexOf(apres) + 1, b);
    return b;
}

void TCommandesCal::Branche()
{
    auto *sbCal = m_fenetre->findChild<QToolButton *>(u"sbCal"_s);
    auto *sbCalEve = m_fenetre->findChild<QToolButton *>(u"sbCalEve"_s);
    auto *sbCalAnn = m_fenetre->findChild<QToolButton *>(u"sbCalAnn"_s);
    if (!sbCal || !sbCalEve || !sbCalAnn)
        return;
    for (QToolButton *b : {sbCal, sbCalEve, sbCalAnn}) {
        b->setEnabled(true);
        b->setCheckable(true);
    }
    connect(sbCal, &QToolButton::toggled, m_cal, [this, sbCalAnn](bool bas) {
        if (bas) {
            m_cal->SetAnniversaires(sbCalAnn->isChecked());
            m_cal->show();
            m_cal->raise();
        } else {
            m_cal->hide();
        }
    });
    connect(sbCalAnn, &QToolButton::toggled, m_cal, [this](bool bas) { m_cal->SetAnniversaires(bas); });
    connect(m_cal, &TfmCal::Montree, this, [sbCal] { sbCal->setChecked(true); });
    connect(m_cal, &TfmCal::Cachee, this, [sbCal] { sbCal->setChecked(false); });

    QToolButton *conv = Bouton(sbCalAnn, u"sbCalConv"_s, u"Convertisseur de dates"_s);
    connect(conv, &QToolButton::clicked, this, [this] { ConvertitDateCalendrier(m_fenetre, TodayDateText()); });
    QToolButton *anniv = Bouton(conv, u"sbAnniFete"_s, u"Anniversaires à souhaiter"_s);
    connect(anniv, &QToolButton::clicked, this, [this] {
        // A file that could not be read was told already: saying that there
        // is none would contradict it.
        if (AfficheAnniFete(m_fenetre) == TRappelAnniFete::SansFichier)
            AppMessageBox(MLText(TextePasDAnniversaires), MsgInformation, BoutonsOk);
    });
}
