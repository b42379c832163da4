#pragma once

#include <QApplication>

// The busy cursor for as long as the object lives, given back however the
// work ends (return, exception).
class TCurseurAttente final
{
public:
    TCurseurAttente() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TCurseurAttente() { QApplication::restoreOverrideCursor(); }
    TCurseurAttente(const TCurseurAttente &) = delete;
    TCurseurAttente &operator=(const TCurseurAttente &) = delete;
};
