#include "CarText.h"

#include <cstdio>

#include <unistd.h>

namespace cli {

QString Printable(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const QChar::Category kind = c.category();
        if (IsControl(c.unicode()))
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (c.unicode() > 0xFF &&
                 (kind == QChar::Other_Format || kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph))
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString PrintableName(const modLoad::CarName& name)
{
    return Printable(modLoad::NameAsShown(name));
}

ProgressLine::ProgressLine() : terminal_(isatty(STDERR_FILENO) == 1) {}

void ProgressLine::Show(const QString& text)
{
    if (!terminal_)
        return;
    // Padded to cover a longer line before it.
    std::fprintf(stderr, "\r%s", qPrintable(text.leftJustified(shown_)));
    std::fflush(stderr);
    shown_ = text.size();
}

void ProgressLine::Clear()
{
    if (shown_ == 0)
        return;
    std::fprintf(stderr, "\r%s\r", qPrintable(QString(shown_, u' ')));
    std::fflush(stderr);
    shown_ = 0;
}

}  // namespace cli
