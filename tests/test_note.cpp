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
    for (qsizetype i = pdf.indexOf("/Type /Page"); i >= 0; i = pdf.indexOf("/Type /Page", i + 1)) {
        if (pdf.mid(i + 11, 1) != "s")
            ++n;
    }
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
    const QStringList cas[] = {
        {u"Né à Lyon."_s, QString(), u"  retrait"_s, QString()},
        {u"une seule"_s},
        {},
    };
    for (const QStringList &lignes : cas) {
        m_fiche.SetLignes(lignes);
        EXPECT_EQ(m_fiche.Lignes(), lignes);
    }
    m_fiche.SetLignes({QString()});
    EXPECT_TRUE(m_fiche.Lignes().isEmpty());

    m_fiche.SetLignes({u"a"_s});
    QPlainTextEdit *m = editeur(&m_fiche);
    m->moveCursor(QTextCursor::End);
    QTest::keyClick(m, Qt::Key_Return);
    QTest::keyClicks(m, u"b"_s);
    EXPECT_EQ(m_fiche.Lignes(), (QStringList{u"a"_s, u"b"_s}));
}

TEST_F(Note, CancelKeepsTheCallersLines)
{
    const QStringList avant{u"première"_s, u"seconde"_s};
    // Cancel button, then Escape, each after an edit.
    for (const bool parEchap : {false, true}) {
        QStringList lignes = avant;
        const bool ok = EditeAvec(lignes, [parEchap](TfmNote *fiche) {
            QTest::keyClicks(editeur(fiche), u"modifie"_s);
            if (parEchap)
                QTest::keyClick(fiche, Qt::Key_Escape);
            else
                clique(fiche, u"Button2"_s);
        });
        EXPECT_FALSE(ok) << parEchap;
        EXPECT_EQ(lignes, avant) << parEchap;
    }
}

TEST_F(Note, OkGivesTheEditedLines)
{
    QStringList lignes{u"Notaire"_s};
    bool ok = EditeAvec(lignes, [](TfmNote *fiche) {
        QPlainTextEdit *m = editeur(fiche);
        EXPECT_EQ(m->toPlainText(), u"Notaire"_s);
        m->moveCursor(QTextCursor::End);
        QTest::keyClicks(m, u" a Rouen"_s);
        QTest::keyClick(m, Qt::Key_Return);
        QTest::keyClicks(m, u"en 1850"_s);
        clique(fiche, u"Button1"_s);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(lignes, (QStringList{u"Notaire a Rouen"_s, u"en 1850"_s}));

    // Emptying the text gives an empty list.
    ok = EditeAvec(lignes, [](TfmNote *fiche) {
        editeur(fiche)->clear();
        clique(fiche, u"Button1"_s);
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(lignes.isEmpty());
}

TEST_F(Note, SaveWritesTheFileAndKeepsEditing)
{
    QStringList lignes{u"ligne 1"_s, u"ligne 2"_s};
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
    EXPECT_EQ(lignes, (QStringList{u"ligne 1"_s, u"ligne 2"_s}));
    EXPECT_EQ(contenu(fichier), QByteArray("> ligne 1\nligne 2\n"));
    EXPECT_EQ(m_dialogues.TitresFichiers.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
}

TEST_F(Note, SaveAddsTheTxtExtensionOnlyWhenThereIsNone)
{
    m_fiche.SetLignes({u"é"_s});
    const struct {
        QString choisi;
        QString ecrit;
    } cas[] = {
        {u"sans"_s, u"sans.txt"_s},
        {u"deja.txt"_s, u"deja.txt"_s},
        {u"autre.md"_s, u"autre.md"_s},
    };
    for (const auto &c : cas) {
        m_dialogues.Fichiers.push_back(chemin(c.choisi));
        clique(&m_fiche, u"sbSauve"_s);
        EXPECT_EQ(contenu(chemin(c.ecrit)), QByteArray("\xC3\xA9\n")) << c.choisi.toStdString();
    }
    EXPECT_FALSE(QFile::exists(chemin(u"sans"_s)));
}

TEST_F(Note, SaveCancelledWritesNothing)
{
    m_fiche.SetLignes({u"x"_s});
    clique(&m_fiche, u"sbSauve"_s); // the script answers no file
    EXPECT_EQ(m_dialogues.TitresFichiers.size(), 1);
    EXPECT_TRUE(QDir(m_dossier.path()).isEmpty());
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
}

TEST_F(Note, FailedSaveIsReported)
{
    m_fiche.SetLignes({u"x"_s});
    // A missing folder, then a folder in place of the file.
    ASSERT_TRUE(QDir(m_dossier.path()).mkdir(u"dossier.txt"_s));
    const QString cibles[] = {chemin(u"absent/note.txt"_s), chemin(u"dossier.txt"_s)};
    for (const QString &cible : cibles) {
        m_dialogues.Messages.clear();
        m_dialogues.Fichiers.push_back(cible);
        clique(&m_fiche, u"sbSauve"_s);
        ASSERT_EQ(m_dialogues.Messages.size(), 1) << cible.toStdString();
        EXPECT_TRUE(m_dialogues.Messages[0].contains(cible)) << m_dialogues.Messages[0].toStdString();
    }
    EXPECT_FALSE(QFile::exists(chemin(u"absent"_s)));
}

TEST_F(Note, PrintsToThePrinterChosen)
{
    QStringList lignes;
    for (int i = 1; i <= 300; ++i)
        lignes << u"Ligne %1 de la note"_s.arg(i);
    m_fiche.SetLignes(lignes);
    QPrinter &imprimante = m_fiche.Imprimante();
    imprimante.setOutputFormat(QPrinter::PdfFormat);

    // Refused in the printer dialog: nothing printed.
    imprimante.setOutputFileName(chemin(u"refuse.pdf"_s));
    clique(&m_fiche, u"sbImprime"_s);
    EXPECT_EQ(m_dialogues.Impressions, 1);
    EXPECT_FALSE(QFile::exists(chemin(u"refuse.pdf"_s)));

    // Every page.
    m_dialogues.Imprimer = true;
    imprimante.setOutputFileName(chemin(u"tout.pdf"_s));
    clique(&m_fiche, u"sbImprime"_s);
    const QByteArray tout = contenu(chemin(u"tout.pdf"_s));
    EXPECT_TRUE(tout.startsWith("%PDF"));
    // Qt embeds a font only once some text was drawn with it.
    EXPECT_TRUE(tout.contains("/FontFile"));
    const int pages = pagesPdf(tout);
    EXPECT_GT(pages, 2);

    // Page 2 alone, as the printer dialog would ask.
    imprimante.setOutputFileName(chemin(u"page2.pdf"_s));
    imprimante.setPrintRange(QPrinter::PageRange);
    imprimante.setFromTo(2, 2);
    clique(&m_fiche, u"sbImprime"_s);
    EXPECT_EQ(pagesPdf(contenu(chemin(u"page2.pdf"_s))), 1);

    EXPECT_EQ(m_dialogues.Impressions, 3);
    EXPECT_TRUE(m_dialogues.Messages.isEmpty());
    EXPECT_EQ(m_fiche.Lignes(), lignes);
}

TEST_F(Note, FailedPrintIsReported)
{
    m_fiche.SetLignes({u"x"_s});
    m_dialogues.Imprimer = true;
    QPrinter &imprimante = m_fiche.Imprimante();
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    const QString cible = chemin(u"absent/note.pdf"_s);
    imprimante.setOutputFileName(cible);
    clique(&m_fiche, u"sbImprime"_s);
    ASSERT_EQ(m_dialogues.Messages.size(), 1);
    EXPECT_TRUE(m_dialogues.Messages[0].contains(cible)) << m_dialogues.Messages[0].toStdString();
}

} // namespace
