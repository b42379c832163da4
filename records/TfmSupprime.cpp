// in progress
#include "TfmSupprime.h"
TfmSupprime::TfmSupprime(TBD &, THoteSupprime &, QWidget *parent) : QWidget(parent) {}
TfmSupprime::~TfmSupprime() = default;
