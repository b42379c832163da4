#pragma once

// The state of the Shift and Ctrl keys as the drawing objects and the design
// editor read it while the mouse moves or a key is handled: Shift held turns
// objects by steps of 22.5 degrees, for instance. The program reads the
// keyboard; tests install a provider that answers from a script.
class TEtatClavier
{
public:
    virtual ~TEtatClavier() = default;
    virtual bool Maj() const = 0;
    virtual bool Ctrl() const = 0;
};

// The provider in use. Never null: until one is installed, the keyboard's
// present state as the windowing system gives it (no key held when there is
// no GUI application).
const TEtatClavier &EtatClavier();
// Installs a provider (not owned); nullptr restores the keyboard.
void SetEtatClavier(const TEtatClavier *etat);
