#include "common/PlainName.h"

#include "common/Cp1252.h"

#include <algorithm>

namespace Common {

namespace PlainName {

bool hasControl(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
    });
}

QString problem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("le nom est vide");
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("les caractères \"/\" et \"\\\" sont interdits");
    if (name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return QStringLiteral("\".\" et \"..\" sont interdits");
    if (hasControl(name))
        return QStringLiteral("le nom contient des caractères de contrôle");
    if (name.toUtf8().size() > kMaxFileBytes)
        return QStringLiteral("le nom est trop long");
    return {};
}

bool isFileName(const QString &name)
{
    return problem(name).isEmpty();
}

QString typedProblem(const QString &name)
{
    if (!name.isEmpty() && (name.front().isSpace() || name.back().isSpace()))
        return name.trimmed().isEmpty() ? QStringLiteral("le nom est vide")
                                        : QStringLiteral("le nom commence ou finit par une espace");
    if (const QString why = problem(name); !why.isEmpty())
        return why;
    if (!Cp1252::canEncode(name))
        return QStringLiteral("le nom contient des caractères non pris en charge");
    if (name.toUtf8().size() > kMaxTypedBytes)
        return QStringLiteral("le nom est trop long");
    return {};
}

} // namespace PlainName

} // namespace Common
