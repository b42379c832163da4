#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QRadioButton;
class QShowEvent;
class QSlider;
class QSpinBox;
class QToolButton;
class TAffArbre;

// The five tree setting dialogs. Each is made when its command is used,
// shown modally and freed; it works on the two looks (Looks[1] ascendance,
// Looks[2] descendance), the tree builder and the global automatic zoom
// (Reglages().ZoomAuto). The builder must outlive the dialog.
//
// Four of them apply each change at once while their check box
// `cbAppliquer` "Appliquer à chaque modification" is checked (the default):
// the rebuilds they ask for go through the builder's deferred requests, so a
// dragged track bar or a spin edit rebuilds at most once per turn of the
// event loop. Each carries a hidden button `BitBtn1` "Astuce..." showing its
// tip. Controls are found by their objectName.

// "Écart entre les cellules": the gaps between boxes (EcatHorz, EcartVert),
// 0 to 300 per cent, of the ascendance look (`rbAsc`), the descendance look
// (`rbDes`) or both (`rbDeux`, the default, showing Looks[1]'s values).
// Spin edits `seH`, `seV` and track bars `tbH`, `tbV` always show the same
// values. Each change writes both gaps into the chosen looks; picking a look
// only shows its values. OK (`B_Ok`) with `cbAppliquer` unchecked applies and
// rebuilds once.
class TfmEcart final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmEcart)
public:
    explicit TfmEcart(TAffArbre &arbre, QWidget *parent = nullptr);
    ~TfmEcart() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Remplit();
    void Change();
    void tbChange();
    void B_OkClick();
    void Applique();

    TAffArbre &m_arbre;
    bool m_occupe = false;
    QRadioButton *m_rbAsc;
    QRadioButton *m_rbDes;
    QRadioButton *m_rbDeux;
    QSpinBox *m_seH;
    QSpinBox *m_seV;
    QSlider *m_tbH;
    QSlider *m_tbV;
    QCheckBox *m_cbAppliquer;
};

// "Largeur des cellules": the box width (Large), 1 to 1000, of the
// ascendance look (`seAsc`, `tbAsc`) and of the descendance look (`seDes`,
// `tbDes`). OK (`B_Ok`) stores both widths, and rebuilds only when
// `cbAppliquer` is unchecked (otherwise the tree already shows them).
class TfmLarge final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmLarge)
public:
    explicit TfmLarge(TAffArbre &arbre, QWidget *parent = nullptr);
    ~TfmLarge() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Remplit();
    void Change();
    void tbChange();
    void B_OkClick();

    TAffArbre &m_arbre;
    bool m_occupe = false;
    QSpinBox *m_seAsc;
    QSpinBox *m_seDes;
    QSlider *m_tbAsc;
    QSlider *m_tbDes;
    QCheckBox *m_cbAppliquer;
};

// "Génération": the number of generations (NbreGen), 0 to 999, of the
// ascendance look (`SE_Asc`) and the descendance look (`SE_Des`). Nothing is
// applied while it is open: OK (`B_Ok`) stores both counts and closes with
// Accepted; "Annuler" (`B_Annuler`) or Escape closes with Rejected and
// stores nothing. The caller rebuilds the tree.
class TfmNbreGen final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmNbreGen)
public:
    explicit TfmNbreGen(QWidget *parent = nullptr);
    ~TfmNbreGen() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Remplit();
    void B_OkClick();

    QSpinBox *m_seAsc;
    QSpinBox *m_seDes;
};

// "Facteur de zoom pour l'affichage de l'arbre": the screen zoom of both
// looks. `seZoom` (0 to 999, a 0 is taken as 1) and the track bar `tbZoom`
// (1 to 1000) show it; `cbAuto` is the global automatic zoom, with which the
// zoom is the one fitting the tree in its window (at most 100) and the zoom
// controls are disabled; `Button1` "100%" turns the automatic zoom off and
// sets 100. Live changes move and resize the boxes (no rebuild). OK
// (`B_Ok`) stores `seZoom` in both looks, and moves the boxes when
// `cbAppliquer` is unchecked.
class TfmZoom final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmZoom)
public:
    explicit TfmZoom(TAffArbre &arbre, QWidget *parent = nullptr);
    ~TfmZoom() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Remplit();
    void Change();
    void tbZoomChange();
    void Button1Click();
    void B_OkClick();
    void ZoomAjuste();
    void MetZoom(int zoom);
    void Repositionne();
    void ActiveZoom(bool autoZoom);

    TAffArbre &m_arbre;
    bool m_occupe = false;
    // The zoom the boxes sit at on screen, or will sit at once a requested
    // repositioning has run.
    int m_zoomEcran = 100;
    QSpinBox *m_seZoom;
    QSlider *m_tbZoom;
    QCheckBox *m_cbAuto;
    QCheckBox *m_cbAppliquer;
};

// "Apparence de l'arbre": the layout style of each look and the extra
// relatives shown, as checkable buttons. Within the ascendance group
// (`SB_AscGrp` 1, `SB_AscVertGrp` 2, `SB_AscHorzGrp` 3, `SB_AscVert` 4,
// `SB_AscHorz` 5) and the descendance group (`SB_DesGrp` 1, `SB_DesVertGrp`
// 2, `SB_DesHorzGrp` 3) at most one button is down; none down is style 0
// (that part is not drawn). `sbConj` and `sbFratrie` are the builder's
// ShowConj and ShowFratrie. Every click is applied at once and rebuilds;
// the buttons of layout pairs that cannot be drawn together are disabled:
// descendance 2 goes with ascendance 0, 2, 4 and descendance 3 with
// ascendance 0, 1, 3, 5; `sbConj` is enabled with descendance 1 to 3,
// `sbFratrie` with descendance 2 or 3.
class TfmArbreApparence final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmArbreApparence)
public:
    explicit TfmArbreApparence(TAffArbre &arbre, QWidget *parent = nullptr);
    ~TfmArbreApparence() override;

private:
    void BoutonClick(QToolButton *bouton);
    void Active();

    TAffArbre &m_arbre;
    bool m_occupe = false;
    // Index = style number; slot 0 unused.
    std::array<QToolButton *, 6> m_asc{};
    std::array<QToolButton *, 4> m_des{};
    QToolButton *m_sbConj;
    QToolButton *m_sbFratrie;
};
