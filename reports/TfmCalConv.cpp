#include "TfmCalConv.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "Dates.h"
#include "Langue.h"

using namespace Qt::StringLiterals;

namespace {

QComboBox *liste(QWidget *parent, const QString &nom)
{
    auto *cb = new QComboBox(parent);
    cb->setObjectName(nom);
    return cb;
}

} // namespace

TfmCalConv::TfmCalConv(const QString &date, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmCalConv"_s);
    setWindowTitle(u"Calendrier"_s);

    m_eGreg = new QLineEdit(this);
    m_eGreg->setObjectName(u"eGreg"_s);
    m_eJul = new QLineEdit(this);
    m_eJul->setObjectName(u"eJul"_s);
    m_eJul->setAlignment(Qt::AlignRight);
    m_cbRepJ = liste(this, u"cbRepJ"_s);
    m_cbRepM = liste(this, u"cbRepM"_s);
    m_cbRepA = liste(this, u"cbRepA"_s);
    for (int m = 1; m <= 13; ++m)
        m_cbRepM->addItem(NomsMoisRepublicains[m]);
    for (int a = 1; a <= 14; ++a)
        m_cbRepA->addItem(QString::number(a));
    for (int j = 1; j <= 30; ++j)
        m_cbRepJ->addItem(QString::number(j));
    m_lSem = new QLabel(this);
    m_lSem->setObjectName(u"lSem"_s);
    m_bCopier = new QPushButton(u"&OK"_s, this);
    m_bCopier->setObjectName(u"bCopier"_s);
    m_bCopier->setDefault(true);
    m_Button1 = new QPushButton(u"&Annuler"_s, this);
    m_Button1->setObjectName(u"Button1"_s);

    auto *grille = new QGridLayout;
    grille->addWidget(new QLabel(u"Grégorien (actuel)"_s, this), 0, 0);
    grille->addWidget(m_eGreg, 0, 1, 1, 3);
    grille->addWidget(new QLabel(u"Jour julien"_s, this), 1, 0);
    grille->addWidget(m_eJul, 1, 1, 1, 3);
    grille->addWidget(new QLabel(u"Républicain"_s, this), 2, 0);
    grille->addWidget(m_cbRepJ, 2, 1);
    grille->addWidget(m_cbRepM, 2, 2);
    grille->addWidget(m_cbRepA, 2, 3);
    grille->addWidget(m_lSem, 3, 1, 1, 3);
    auto *boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(m_bCopier);
    boutons->addWidget(m_Button1);
    auto *vbox = new QVBoxLayout(this);
    vbox->addLayout(grille);
    vbox->addLayout(boutons);

    connect(m_bCopier, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Button1, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_eGreg, &QLineEdit::textChanged, this, [this] { eGregExit(); });
    m_eGreg->installEventFilter(this);
    m_eJul->installEventFilter(this);
    for (QComboBox *cb : {m_cbRepJ, m_cbRepM, m_cbRepA})
        connect(cb, &QComboBox::currentIndexChanged, this, [this] { cbRepJChange(); });

    MLTranslateForm(this);
    m_maj = true;
    m_eGreg->setText(date);
    m_maj = false;
    eGregExit();
    m_bCopier->setFocus();
    adjustSize();
    if (const QScreen *ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());
}

QString TfmCalConv::Date() const
{
    return m_eGreg->text();
}

bool TfmCalConv::eventFilter(QObject *objet, QEvent *evenement)
{
    if (evenement->type() == QEvent::FocusOut || evenement->type() == QEvent::FocusIn) {
        if (objet == m_eGreg)
            eGregExit();
        else if (objet == m_eJul && evenement->type() == QEvent::FocusOut)
            eJulExit();
    }
    return QDialog::eventFilter(objet, evenement);
}

void TfmCalConv::EcritJourJulien(double jd)
{
    m_julValide = jd == 0 ? QString() : TexteJourJulien(jd);
    m_eJul->setText(m_julValide);
}

void TfmCalConv::MontreRepublicain(const QString &date)
{
    const TRepublicanDate r = DateToRepublican(date);
    m_cbRepA->setCurrentIndex(r.Annee - 1);
    m_cbRepM->setCurrentIndex(r.Mois - 1);
    AjusteJours();
    m_cbRepJ->setCurrentIndex(r.Jour - 1);
}

void TfmCalConv::AjusteJours()
{
    // Without a month or a year every day of a month may still come.
    const int mois = m_cbRepM->currentIndex() + 1;
    const int annee = m_cbRepA->currentIndex() + 1;
    const int jours = mois == 13 ? (annee >= 1 ? JoursMoisRepublicain(13, annee) : 6) : 30;
    const int choisi = m_cbRepJ->currentIndex();
    while (m_cbRepJ->count() > jours)
        m_cbRepJ->removeItem(m_cbRepJ->count() - 1);
    while (m_cbRepJ->count() < jours)
        m_cbRepJ->addItem(QString::number(m_cbRepJ->count() + 1));
    m_cbRepJ->setCurrentIndex(std::min(choisi, jours - 1));
}

void TfmCalConv::eGregExit()
{
    if (m_maj)
        return;
    m_maj = true;
    const QString date = m_eGreg->text();
    m_lSem->setText(DateWeekdayName(date));
    EcritJourJulien(DateToJulianDay(date));
    MontreRepublicain(date);
    m_maj = false;
}

void TfmCalConv::cbRepJChange()
{
    if (m_maj)
        return;
    m_maj = true;
    AjusteJours();
    const double jd = RepublicanToJulianDay(m_cbRepJ->currentIndex() + 1, m_cbRepM->currentIndex() + 1,
                                            m_cbRepA->currentIndex() + 1);
    if (jd != 0) {
        EcritJourJulien(jd);
        m_eGreg->setText(JulianDayToDate(jd));
        m_lSem->setText(DateWeekdayName(m_eGreg->text()));
    }
    m_maj = false;
}

void TfmCalConv::eJulExit()
{
    if (m_maj)
        return;
    m_maj = true;
    double jd = 0;
    if (LitJourJulien(m_eJul->text(), &jd)) {
        m_eGreg->setText(JulianDayToDate(jd));
        m_lSem->setText(DateWeekdayName(m_eGreg->text()));
        EcritJourJulien(DateToJulianDay(m_eGreg->text()));
        MontreRepublicain(m_eGreg->text());
    } else {
        // Text that is no day of the supported span would give no date:
        // the day shown stays.
        m_eJul->setText(m_julValide);
    }
    m_maj = false;
}

QString ConvertitDateCalendrier(QWidget *owner, const QString &date)
{
    TfmCalConv fenetre(date, owner);
    return fenetre.exec() == QDialog::Accepted ? fenetre.Date() : date;
}
