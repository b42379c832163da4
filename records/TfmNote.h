#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

class QPlainTextEdit;
class QPrinter;
class QPushButton;

// "Édition de texte": the modal plain-text editor of the record form's notes
// (person, event and union event notes) and of the verification report.
//
// Controls: m (the text, filling the window), and in the bottom panel
// Panel1 the buttons Button1 (OK: accepts), Button2 (Cancel: rejects),
// sbSauve (saves the text to a ".txt" file chosen through Dialogues()) and
// sbImprime (prints the text after the printer dialog of Dialogues()).
// Saving and printing neither close the editor nor change the caller's
// lines; a failed save or print is reported with a message box (texts 5040
// and 5041), never silently dropped.
class TfmNote final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfmNote)

public:
    explicit TfmNote(QWidget *parent = nullptr);
    ~TfmNote() override;

    // The text as a list of lines (no line break inside an item). An empty
    // text is an empty list; Lignes() gives back exactly the list given to
    // SetLignes() while the user changed nothing, except that a list of one
    // empty line comes back empty.
    void SetLignes(const QStringList &lignes);
    QStringList Lignes() const;

    // The printer sbImprime prints on, created on first use with the
    // system's default printer; the printer dialog may change it. It lives
    // as long as the editor, so the settings chosen are kept between prints.
    QPrinter &Imprimante();

private:
    void sbSauveClick();
    void sbImprimeClick();

    QPlainTextEdit *m_m = nullptr;
    QPushButton *m_bOk = nullptr;
    QPushButton *m_bAnnuler = nullptr;
    QPushButton *m_sbSauve = nullptr;
    QPushButton *m_sbImprime = nullptr;
    std::unique_ptr<QPrinter> m_imprimante;
};

// Edits a list of lines in a TfmNote shown modally over `parent` (may be
// null). On OK the list takes the edited lines and the result is true;
// otherwise (Cancel, Escape, closing the window) the list is left as it
// was and the result is false. The editor is freed before returning.
bool EditeNote(QWidget *parent, QStringList &lignes);
