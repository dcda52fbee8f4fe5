#include "CarText.h"

namespace cli {

bool IsControl(QChar c)
{
    const ushort code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

QString PrintableName(const modLoad::CarName& name)
{
    QString text;
    for (const QChar c : modLoad::NameAsShown(name)) {
        if (IsControl(c))
            text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text;
}

}  // namespace cli
