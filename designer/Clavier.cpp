#include "Clavier.h"

#include <QGuiApplication>

namespace {

class TClavierSysteme final : public TEtatClavier
{
public:
    bool Maj() const override { return Modificateurs() & Qt::ShiftModifier; }
    bool Ctrl() const override { return Modificateurs() & Qt::ControlModifier; }

private:
    // Asked of the system at the moment of the call, not taken from the last
    // event: the object asking may be handling a mouse move that carries no
    // key state of its own.
    static Qt::KeyboardModifiers Modificateurs()
    {
        return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                   ? QGuiApplication::queryKeyboardModifiers()
                   : Qt::KeyboardModifiers();
    }
};

const TClavierSysteme clavierSysteme;
const TEtatClavier *etatInstalle = nullptr;

} // namespace

const TEtatClavier &EtatClavier()
{
    return etatInstalle ? *etatInstalle : clavierSysteme;
}

void SetEtatClavier(const TEtatClavier *etat)
{
    etatInstalle = etat;
}
