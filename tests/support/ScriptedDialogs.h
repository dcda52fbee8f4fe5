#pragma once

#include "Dialogs.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Answers the toolkit's dialogs from a script, in order, and records each one
// asked for. Once the script is used up a dialog counts as unexpected and is
// answered as cancelled (No or Cancel); the test fails then, and when answers are left.
class ScriptedDialogs final : public ui::DialogProvider {
public:
    enum Kind { Message, Input, Open, Save };
    struct Shown {
        Kind kind;
        QString text;  // message, prompt or file filter
        QString defaultText = {};
        ui::MsgStyle style = ui::MsgStyle::Ok;
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
    // "Yes", "No", "Ok", "Save", "Discard" or "Cancel".
    ScriptedDialogs& operator<<(const QString& answer) { return script.append(answer), *this; }

    ui::MsgAnswer messageBox(QWidget*, const QString& text, ui::MsgStyle style, const QString& title) override
    {
        using A = ui::MsgAnswer;
        const QString a = Next({Message, text, {}, style, title});
        for (const auto& [name, answer] : {std::pair{"Ok", A::Ok}, {"Yes", A::Yes}, {"No", A::No}, {"Save", A::Save},
                                           {"Discard", A::Discard}, {"Cancel", A::Cancel}})
            if (a == name)
                return answer;
        // Unexpected: the way out that changes nothing.
        return style == ui::MsgStyle::SaveDiscardCancel ? A::Cancel : A::No;
    }
    QString inputBox(QWidget*, const QString& prompt, const QString&, const QString& text) override
    {
        return Next({Input, prompt, text});
    }
    QString openFileName(QWidget*, const QString& filter) override { return Next({Open, filter}); }
    QString saveFileName(QWidget*, const QString& filter) override { return Next({Save, filter}); }

    QStringList messages() const
    {
        QStringList out;
        for (const Shown& s : shown)
            if (s.kind == Message)
                out << s.text;
        return out;
    }

    QStringList script;  // answers not used yet
    std::vector<Shown> shown;
    int unexpected = 0;

private:
    QString Next(const Shown& dialog)
    {
        shown.push_back(dialog);
        return script.isEmpty() ? (++unexpected, QString()) : script.takeFirst();
    }
};
