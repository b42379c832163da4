#include <functional>

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "DialoguesScriptes.h"
#include "TfmNote.h"

using namespace Qt::StringLiterals;

namespace {

QPlainTextEdit *editeur(QWidget *fiche)
{
    auto *m = fiche->findChild<QPlainTextEdit *>(u"m"_s);
    EXPECT_NE(m, nullptr);
    return m;
}

void clique(QWidget *fiche, const QString &nom)
{
    auto *b = fiche->findChild<QPushButton *>(nom);
    ASSERT_NE(b, nullptr) << nom.toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
}

// Runs EditeNote on the lines while `action` plays the user on the modal
// editor; the action must close it.
bool EditeAvec(QStringList &lignes, std::function<void(TfmNote *)> action)
{
    bool vu = false;
    QTimer::singleShot(0, [&] {
        auto *fiche = qobject_cast<TfmNote *>(QApplication::activeModalWidget());
        vu = fiche != nullptr;
        if (fiche)
            action(fiche);
    });
    const bool ok = EditeNote(nullptr, lignes);
    EXPECT_TRUE(vu) << "the editor was not shown modally";
    return ok;
}

QByteArray contenu(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Pages of a PDF written by Qt: one "/Type /Page" object each (the page
// tree is "/Type /Pages").
int pagesPdf(const QByteArray &pdf)
{
    int n = 0;
    for (qsizetype i = pdf.indexOf("/Type /Page"); i >= 0; i = pdf.indexOf("/Type /Page", i + 1))
        n += pdf.mid(i + 11, 1) != "s" ? 1 : 0;
    return n;
}

class Note : public ::testing::Test
{
protected:
    QTemporaryDir m_dossier;
    TDialoguesScriptes m_dialogues;
    TfmNote m_fiche;

    QString chemin(const QString &nom) const { return m_dossier.filePath(nom); }
};

TEST_F(Note, LinesGoInAndComeBack)
{
    const QStringList cas[] = {{u"Né à Lyon."_s, QString(), u"  retrait"_s, QString()}, {u"une seule"_s}, {}};
    for (const QStringList &lignes : cas) {
        m_fiche.SetLignes(lignes);
        EXPECT_EQ(m_fiche.Lignes(), lignes);
    }
    m_fiche.SetLignes({QString()});
    EXPECT_TRUE(m_fiche.Lignes().isEmpty());
}

// Only Ok gives the edited lines; Cancel and Escape keep the caller's.
TEST_F(Note, ModalEditGivesTheLinesOnlyOnOk)
{
    const QStringList avant{u"Notaire"_s};
    const struct {
        const char *fin; // the button clicked, or Escape
        bool vide;       // the text is cleared at the end
        QStringList attendu;
    } cas[] = {{"Button1", false, {u"Notaire a Rouen"_s, u"en 1850"_s}}, {"Button1", true, {}},
               {"Button2", false, avant}, {"Escape", false, avant}};
    for (const auto &c : cas) {
        QStringList lignes = avant;
        const bool ok = EditeAvec(lignes, [&c](TfmNote *fiche) {
            QPlainTextEdit *m = editeur(fiche);
            EXPECT_EQ(m->toPlainText(), u"Notaire"_s);
            m->moveCursor(QTextCursor::End);
            QTest::keyClicks(m, u" a Rouen"_s);
            QTest::keyClick(m, Qt::Key_Return); // a new line, not Ok
            QTest::keyClicks(m, u"en 1850"_s);
            if (c.vide)
                m->clear();
            if (qstrcmp(c.fin, "Escape") == 0)
                QTest::keyClick(fiche, Qt::Key_Escape);
            else
                clique(fiche, QString::fromLatin1(c.fin));
        });
        EXPECT_EQ(ok, qstrcmp(c.fin, "Button1") == 0) << c.fin;
        EXPECT_EQ(lignes, c.attendu) << c.fin;
    }
}

TEST_F(Note, SaveWritesTheFileAndKeepsEditing)
{
    QStringList lignes{u"ligne 1"_s, u"é"_s};
    const QString fichier = chemin(u"note.txt"_s);
    m_dialogues.Fichiers.push_back(fichier);
    bool ouverteApres = false;
    EditeAvec(lignes, [&](TfmNote *fiche) {
        QTest::keyClicks(editeur(fiche), u"> "_s);
        clique(fiche, u"sbSauve"_s);
        ouverteApres = fiche->isVisible();
        clique(fiche, u"Button2"_s);
    });
    EXPECT_TRUE(ouverteApres);
    EXPECT_EQ(lignes, (QStringList{u"ligne 1"_s, u"é"_s}));
    EXPECT_EQ(contenu(fichier), QByteArray("> ligne 1\n\xC3\xA9\n"));
}

TEST_F(Note, SaveAddsTxtOnlyWithoutExtensionAndReportsFailures)
{
    m_fiche.SetLignes({u"x"_s});
    ASSERT_TRUE(QDir(m_dossier.path()).mkdir(u"dossier.txt"_s));
    const struct {
        QString choisi, ecrit; // empty: no file chosen, nothing written
    } cas[] = {{u"sans"_s, u"sans.txt"_s}, {u"autre.md"_s, u"autre.md"_s}, {}, {u"absent/note.txt"_s, {}},
               {u"dossier.txt"_s, {}}};
    for (const auto &c : cas) {
        m_dialogues.Messages.clear();
        m_dialogues.Fichiers.push_back(c.choisi.isEmpty() ? QString() : chemin(c.choisi));
        clique(&m_fiche, u"sbSauve"_s);
        if (!c.ecrit.isEmpty()) {
            EXPECT_EQ(contenu(chemin(c.ecrit)), QByteArray("x\n"));
        }
        // A missing folder, or a folder in place of the file, is reported.
        const bool echec = !c.choisi.isEmpty() && c.ecrit.isEmpty();
        ASSERT_EQ(m_dialogues.Messages.size(), echec ? 1 : 0) << c.choisi.toStdString();
        if (echec) {
            EXPECT_TRUE(m_dialogues.Messages[0].contains(chemin(c.choisi))) << m_dialogues.Messages[0].toStdString();
        }
    }
    EXPECT_EQ(QDir(m_dossier.path()).entryList(QDir::Files), (QStringList{u"autre.md"_s, u"sans.txt"_s}));
    EXPECT_EQ(m_dialogues.TitresFichiers.size(), 5);
}

TEST_F(Note, PrintsToThePrinterChosen)
{
    QStringList lignes;
    for (int i = 1; i <= 300; ++i)
        lignes << u"Ligne %1 de la note"_s.arg(i);
    m_fiche.SetLignes(lignes);
    QPrinter &imprimante = m_fiche.Imprimante();
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    const auto imprime = [&](const QString &nom) {
        imprimante.setOutputFileName(chemin(nom));
        clique(&m_fiche, u"sbImprime"_s);
        return contenu(chemin(nom));
    };

    // Refused in the printer dialog: nothing printed.
    EXPECT_TRUE(imprime(u"refuse.pdf"_s).isEmpty());
    EXPECT_EQ(m_dialogues.Impressions, 1);

    m_dialogues.Imprimer = true;
    const QByteArray tout = imprime(u"tout.pdf"_s);
    EXPECT_TRUE(tout.startsWith("%PDF"));
    // Qt embeds a font only once some text was drawn with it.
    EXPECT_TRUE(tout.contains("/FontFile"));
    EXPECT_GT(pagesPdf(tout), 2);
    // Page 2 alone, as the printer dialog would ask.
    imprimante.setPrintRange(QPrinter::PageRange);
    imprimante.setFromTo(2, 2);
    const QByteArray page2 = imprime(u"page2.pdf"_s);
    EXPECT_EQ(pagesPdf(page2), 1);
    EXPECT_TRUE(page2.contains("/FontFile"));
    // A note of one page prints that page, with its text.
    m_fiche.SetLignes({u"Une seule ligne"_s});
    imprimante.setPrintRange(QPrinter::AllPages);
    const QByteArray une = imprime(u"une.pdf"_s);
    EXPECT_EQ(pagesPdf(une), 1);
    EXPECT_TRUE(une.contains("/FontFile"));
    m_fiche.SetLignes(lignes);
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    EXPECT_EQ(m_fiche.Lignes(), lignes);

    // A failed print is reported.
    const QString cible = chemin(u"absent/note.pdf"_s);
    imprime(u"absent/note.pdf"_s);
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(cible)) << m_dialogues.Messages[0].toStdString();
}

} // namespace
