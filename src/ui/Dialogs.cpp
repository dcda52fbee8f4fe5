#include "Dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace ui {

namespace {

// The extension of the filter's first pattern when it names one ("*.car" gives "car").
QString DefaultSuffix(const QString& filter)
{
    const QString pattern = filter.section(QLatin1Char('|'), 1, 1).section(QLatin1Char(';'), 0, 0);
    const QString suffix = pattern.startsWith(QLatin1String("*.")) ? pattern.mid(2) : QString();
    return suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?')) ? QString() : suffix;
}

// Widens a message box to show its whole title, which a title bar centres on
// the window and clips at up to three buttons a side (some 75 pixels in Qt's
// own frame on Wayland), in a font that may be bold; Qt sizes a box by its
// text alone.
void FitTitle(QMessageBox& box)
{
    QFont font = box.font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 10 * metrics.height();
    auto* grid = static_cast<QGridLayout*>(box.layout());
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

class QtDialogProvider final : public DialogProvider {
public:
    MsgAnswer messageBox(QWidget* parent, const QString& text, MsgStyle style, const QString& title) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setText(text);
        switch (style) {
        case MsgStyle::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgStyle::OkExclamation:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgStyle::OkInformation:
            box.setIcon(QMessageBox::Information);
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgStyle::YesNoQuestion:
        case MsgStyle::YesNoWarning:
            box.setIcon(style == MsgStyle::YesNoQuestion ? QMessageBox::Question : QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(style == MsgStyle::YesNoQuestion ? QMessageBox::Yes : QMessageBox::No);
            break;
        case MsgStyle::SaveDiscardCancel:
            box.setIcon(QMessageBox::Warning);
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Save);
            break;
        }
        FitTitle(box);
        // Escape and the close button answer No, or Cancel.
        const int answer = box.exec();
        switch (style) {
        case MsgStyle::YesNoQuestion:
        case MsgStyle::YesNoWarning:
            return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
        case MsgStyle::SaveDiscardCancel:
            return answer == QMessageBox::Save ? MsgAnswer::Save
                   : answer == QMessageBox::Discard ? MsgAnswer::Discard
                                                    : MsgAnswer::Cancel;
        default:
            return MsgAnswer::Ok;
        }
    }

    QString inputBox(QWidget* parent, const QString& prompt, const QString& title, const QString& defaultText) override
    {
        QInputDialog dialog(parent);
        dialog.setWindowTitle(title);
        dialog.setLabelText(prompt);
        dialog.setTextValue(defaultText);
        return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
    }

    QString openFileName(QWidget* parent, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("ui", "Open"), QString(),
                                            QtFilter(filter), nullptr, QFileDialog::DontUseNativeDialog);
    }

    QString saveFileName(QWidget* parent, const QString& filter, const QString& suggested) override
    {
        QFileDialog dialog(parent, QCoreApplication::translate("ui", "Save As"), suggested, QtFilter(filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The callers ask before replacing a file, where they must.
        dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
        // A name typed without an extension gets the filter's, as "Racers" becomes "Racers.car".
        dialog.setDefaultSuffix(DefaultSuffix(filter));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
};

DialogProvider* installed = nullptr;

DialogProvider& provider()
{
    static QtDialogProvider qtDialogs;
    return installed ? *installed : qtDialogs;
}

QString titleOrAppName(const QString& title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

}  // namespace

void SetDialogProvider(DialogProvider* provider)
{
    installed = provider;
}

MsgAnswer MsgBox(QWidget* parent, const QString& text, MsgStyle style, const QString& title)
{
    // A message given no window opens over the one the user is in.
    if (!parent)
        parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    return provider().messageBox(parent, text, style, titleOrAppName(title));
}

QString InputBox(QWidget* parent, const QString& prompt, const QString& defaultText, const QString& title)
{
    return provider().inputBox(parent, prompt, titleOrAppName(title), defaultText);
}

QString OpenFileDialog(QWidget* parent, const QString& filter)
{
    return provider().openFileName(parent, filter);
}

QString SaveFileDialog(QWidget* parent, const QString& filter, const AskBeforeReplacing& ask, const QString& suggested)
{
    for (;;) {
        const QString fileName = provider().saveFileName(parent, filter, suggested);
        const QString question = fileName.isEmpty() || !ask ? QString() : ask(fileName);
        if (question.isEmpty() || MsgBox(parent, question, MsgStyle::YesNoWarning) == MsgAnswer::Yes)
            return fileName;
    }
}

QString ReplaceQuestion(const QString& fileName, bool libraryFile)
{
    const QString name = QFileInfo(fileName).fileName();
    if (libraryFile)
        return QCoreApplication::translate("ui", "%1 holds the open library; replacing it loses the cars saved in it.\n"
                                                 "Do you want to replace it?").arg(name);
    if (!QFileInfo(fileName).isFile())
        return {};
    return QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?").arg(name);
}

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& text = parts[i];
        // Qt reads the patterns from the parentheses; add them when the text has none.
        if (text.contains(QLatin1Char('(')))
            entries << text;
        else
            entries << QStringLiteral("%1 (%2)").arg(text, QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace ui
