#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace ui {

// SaveDiscardCancel asks, with a warning icon, whether to save work that would
// otherwise be lost; YesNoWarning, with No the default, whether to replace a file.
enum class MsgStyle { Ok, OkExclamation, OkInformation, YesNoQuestion, SaveDiscardCancel, YesNoWarning };
enum class MsgAnswer { Ok, Yes, No, Save, Discard, Cancel };

// Answers the modal dialogs of the services below. The built-in provider shows
// Qt's dialogs; tests install their own to answer without a person.
class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    virtual MsgAnswer messageBox(QWidget* parent, const QString& text, MsgStyle style, const QString& title) = 0;
    virtual QString inputBox(QWidget* parent, const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& suggested) = 0;
};

// Installs a provider; nullptr restores Qt's dialogs. The caller keeps ownership.
void SetDialogProvider(DialogProvider* provider);

// A title left empty shows the application's name.
MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgStyle style = MsgStyle::Ok, const QString& title = {});

// Returns the text typed, or the empty text when the user cancels.
QString InputBox(QWidget* parent, const QString& prompt, const QString& defaultText = {}, const QString& title = {});

// The filter comes as "Car Files (*.car)|*.car" (empty: every file). The result
// is the full path, or the empty text when the user cancels. The save dialog
// opens on the suggested file's folder with its name chosen, when there is one.
QString OpenFileDialog(QWidget* parent, const QString& filter = {});

// The question to ask before the chosen file is replaced, or the empty text
// for none. A No chooses again.
using AskBeforeReplacing = std::function<QString(const QString& fileName)>;
QString SaveFileDialog(QWidget* parent, const QString& filter = {}, const AskBeforeReplacing& ask = {},
                       const QString& suggested = {});

// Asks before a file is replaced as Qt's own file dialog does, in its words,
// when the name is an existing regular file; when it is the open library's
// file, the question says so. Otherwise the empty text.
QString ReplaceQuestion(const QString& fileName, bool libraryFile = false);

// "Text (*.x)|*.x|Other|*.y" in Qt's form: "Text (*.x);;Other (*.y)".
QString QtFilter(const QString& filter);

}  // namespace ui
