#pragma once

#include "Dialogs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

// Answers the toolkit's dialogs from a script, in order, and records each one
// asked for. Once the script is used up a dialog counts as unexpected and is
// answered as cancelled (No or Cancel); the test fails then, and when answers are left.
class ScriptedDialogs final : public ui::DialogProvider {
public:
    struct Shown {
        QString text, defaultText = {};  // message, prompt or file filter; the text an input box or save dialog offers
        std::optional<ui::MsgStyle> style = {};  // a message's only
        QString title = {};
    };

    ScriptedDialogs() { ui::SetDialogProvider(this); }
    ~ScriptedDialogs() override
    {
        ui::SetDialogProvider(nullptr);
        EXPECT_EQ(unexpected, 0) << "a dialog was shown that the test did not expect";
        EXPECT_EQ(script, QStringList()) << "answers left for dialogs that never showed";
    }

    // The text typed or the path chosen ("" cancels); for a message the button:
    // "Ok", "Yes", "No", "Save", "Discard" or "Cancel".
    ScriptedDialogs& operator<<(const QString& answer) { return script.append(answer), *this; }

    ui::MsgAnswer messageBox(QWidget*, const QString& text, ui::MsgStyle style, const QString& title) override
    {
        // In the order of ui::MsgAnswer. Unexpected: the way out that changes nothing.
        const auto a = QStringList{"Ok", "Yes", "No", "Save", "Discard", "Cancel"}.indexOf(Next({text, {}, style, title}));
        return a >= 0 ? ui::MsgAnswer(a) : style == ui::MsgStyle::SaveDiscardCancel ? ui::MsgAnswer::Cancel : ui::MsgAnswer::No;
    }
    QString inputBox(QWidget*, const QString& prompt, const QString&, const QString& text) override { return Next({prompt, text}); }
    QString openFileName(QWidget*, const QString& filter) override { return Next({filter}); }
    QString saveFileName(QWidget*, const QString& filter, const QString& suggested) override { return Next({filter, suggested}); }

    QStringList messages() const
    {
        QStringList out;
        for (const Shown& s : shown)
            if (s.style)
                out << s.text;
        return out;
    }

    QStringList script;  // answers not used yet
    std::vector<Shown> shown;
    int unexpected = 0;

private:
    QString Next(const Shown& dialog)
    { return shown.push_back(dialog), script.isEmpty() ? (++unexpected, QString()) : script.takeFirst(); }
};
