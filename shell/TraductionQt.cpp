#include "TraductionQt.h"

#include <cstring>
#include <utility>

QString TTraductionQt::translate(const char *contexte, const char *source, const char *desambiguisation,
                                 int n) const
{
    const QString texte = QTranslator::translate(contexte, source, desambiguisation, n);
    if (!texte.isEmpty() || !contexte)
        return texte;
    // Contexts of Qt 6 whose texts Qt 5 asked for elsewhere.
    static constexpr std::pair<const char *, const char *> anciens[] = {
        {"QAbstractFileIconProvider", "QFileDialog"},
    };
    for (const auto &[nouveau, ancien] : anciens) {
        if (std::strcmp(contexte, nouveau) == 0)
            return QTranslator::translate(ancien, source, desambiguisation, n);
    }
    return texte;
}
