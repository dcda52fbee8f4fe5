#include "CarText.h"

namespace cli {

bool IsControl(QChar c)
{
    const ushort code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

QString Printable(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const QChar::Category kind = c.category();
        if (IsControl(c))
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

}  // namespace cli
