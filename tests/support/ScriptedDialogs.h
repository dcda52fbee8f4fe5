#pragma once

#include "Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>

// Answers the toolkit's modal dialogs from a script, in order, and records
// every dialog that was asked for. A dialog with no scripted answer left is
// answered as cancelled (or No) and counted in unexpected.
class ScriptedDialogs final : public ui::DialogProvider {
public:
    struct Shown {
        enum Kind { Message, Input, Open, Save } kind;
        QString text;  // message text, input prompt, or file filter
        QString title;
        QString defaultText;
        ui::MsgStyle style = ui::MsgStyle::Ok;
    };

    ScriptedDialogs() { ui::SetDialogProvider(this); }
    ~ScriptedDialogs() override { ui::SetDialogProvider(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    ScriptedDialogs& answerYes() { return push(QStringLiteral("\x01yes")); }
    ScriptedDialogs& answerNo() { return push(QStringLiteral("\x01no")); }
    ScriptedDialogs& answerOk() { return push(QStringLiteral("\x01ok")); }
    // Input and file dialogs: the text typed or the path chosen; empty cancels.
    ScriptedDialogs& answer(const QString& text) { return push(text); }

    std::deque<Shown> shown;
    int unexpected = 0;

    ui::MsgAnswer messageBox(QWidget*, const QString& text, ui::MsgStyle style, const QString& title) override
    {
        shown.push_back({Shown::Message, text, title, {}, style});
        const QString a = pop();
        return a == QLatin1String("\x01yes") ? ui::MsgAnswer::Yes
               : a == QLatin1String("\x01ok") ? ui::MsgAnswer::Ok
                                               : ui::MsgAnswer::No;
    }
    QString inputBox(QWidget*, const QString& prompt, const QString& title, const QString& defaultText) override
    {
        shown.push_back({Shown::Input, prompt, title, defaultText});
        return pop();
    }
    QString openFileName(QWidget*, const QString& filter) override
    {
        shown.push_back({Shown::Open, filter, {}, {}});
        return pop();
    }
    QString saveFileName(QWidget*, const QString& filter) override
    {
        shown.push_back({Shown::Save, filter, {}, {}});
        return pop();
    }

    // Messages shown so far, in order.
    QStringList messages() const
    {
        QStringList out;
        for (const Shown& s : shown)
            if (s.kind == Shown::Message)
                out << s.text;
        return out;
    }

private:
    ScriptedDialogs& push(const QString& a)
    {
        script_.push_back(a);
        return *this;
    }
    QString pop()
    {
        if (script_.empty()) {
            ++unexpected;
            return {};
        }
        QString a = script_.front();
        script_.pop_front();
        return a;
    }
    std::deque<QString> script_;
};
