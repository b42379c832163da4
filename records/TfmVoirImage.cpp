#include "TfmVoirImage.h"

#include "Dialogues.h"
#include "Langue.h"
#include "Sources.h"
#include "TApercu.h"

#include <QFileInfo>
#include <QPointer>
#include <QVBoxLayout>

namespace {

constexpr int TexteImageIllisible = 7601;
constexpr int LargeurMax = 640;
constexpr int HauteurMax = 480;

QPointer<TfmVoirImage> &Vue()
{
    static QPointer<TfmVoirImage> v;
    return v;
}

} // namespace

TfmVoirImage::TfmVoirImage(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("fmVoirImage"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    m_img = new TApercu(this);
    m_img->setObjectName(QStringLiteral("img"));
    l->addWidget(m_img);
    connect(m_img, &TApercu::Relache, this, &QWidget::close);
}

TfmVoirImage::~TfmVoirImage() = default;

bool TfmVoirImage::Charge(const QString &chemin)
{
    QImage image;
    if (!ChargeImageSource(image, chemin))
        return false;
    m_img->SetImage(image);
    resize(std::min(image.width(), LargeurMax), std::min(image.height(), HauteurMax));
    return true;
}

TfmVoirImage *AfficheImage(const QString &chemin, QWidget *parent)
{
    if (!QFileInfo(chemin).isFile())
        return nullptr;
    if (Vue())
        Vue()->close();
    auto *vue = new TfmVoirImage(parent);
    if (!vue->Charge(chemin)) {
        delete vue;
        AppMessageBox(MLFormat(TexteImageIllisible, {chemin}), MsgErreur, BoutonsOk);
        return nullptr;
    }
    vue->setWindowTitle(QStringLiteral("Aperçu (") + chemin + QLatin1Char(')'));
    if (parent)
        vue->move(parent->window()->geometry().center() - vue->rect().center());
    vue->show();
    Vue() = vue;
    return vue;
}
