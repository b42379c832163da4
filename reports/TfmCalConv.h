#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The calendar converter "Calendrier": one day shown at once as a date text
// in stored order (eGreg, "Grégorien (actuel)"), as its Julian day at 0 h
// (eJul, "Jour julien", two decimals) and as a French Republican date (the
// lists cbRepJ, cbRepM and cbRepA, "Républicain"), with its weekday (lSem).
// Changing one updates the others:
// - eGreg, at each change and on leaving it: the weekday, the Julian day
//   (empty for a text that names no day) and the Republican lists, left
//   without a selection outside years I to XIV;
// - the lists, when all three have a selection: the Julian day and the date;
//   the day list offers only the days of the chosen month (5 or 6
//   complementary days for "Sans-Culottide"), a day beyond them becoming the
//   last one;
// - eJul, on leaving it: a number within 1/1/1 .. 31/12/9999 (see
//   LitJourJulien) gives its date, and is rewritten as the Julian day of
//   that date; anything else brings back the last value the window wrote.
// bCopier "&OK" (focused at first) accepts, Button1 "&Annuler" cancels.
class TfmCalConv final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmCalConv)

public:
    // Opens on a date text in stored order.
    explicit TfmCalConv(const QString &date, QWidget *parent = nullptr);

    QString Date() const;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void eGregExit();
    void eJulExit();
    void cbRepJChange();
    // The day list of the chosen month and year, keeping the chosen day
    // within it.
    void AjusteJours();
    void MontreRepublicain(const QString &date);
    void EcritJourJulien(double jd);

    QLineEdit *m_eGreg;
    QLineEdit *m_eJul;
    QComboBox *m_cbRepJ;
    QComboBox *m_cbRepM;
    QComboBox *m_cbRepA;
    QLabel *m_lSem;
    QPushButton *m_bCopier;
    QPushButton *m_Button1;
    // The text of eJul as the window last wrote it.
    QString m_julValide;
    bool m_maj = false;
};

// Shows the converter modally on `date` (stored order); returns the text of
// eGreg when confirmed with OK, else `date` unchanged.
QString ConvertitDateCalendrier(QWidget *owner, const QString &date);
