#pragma once

#include <QTranslator>

// Qt's own texts in the program's language, from Qt's catalogue
// "qtbase_<code>.qm" (see Demarrage.h).
//
// Qt 6 asks for a few texts under a context that the catalogues shipped
// with it do not hold: the file dialog's type column reads "Folder" and
// "Drive" from QAbstractFileIconProvider, while the catalogues translate
// them where Qt 5 asked for them, under QFileDialog. A text missing under
// such a context is looked up under the older one; every other text is the
// catalogue's own.
class TTraductionQt final : public QTranslator
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TTraductionQt)

public:
    using QTranslator::QTranslator;

    QString translate(const char *contexte, const char *source, const char *desambiguisation = nullptr,
                      int n = -1) const override;
};
