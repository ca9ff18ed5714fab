#include "common/PlainName.h"

#include <algorithm>

namespace PlainName {

bool hasControl(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
    });
}

bool isFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !hasControl(name) && name.toUtf8().size() <= 255;
}

} // namespace PlainName
