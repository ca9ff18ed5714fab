#include "hotels/HotelName.h"

#include "common/Cp1252.h"
#include "common/PlainName.h"

namespace {

constexpr int kMaxNameBytes = 200;

} // namespace

namespace HotelName {

QString upper(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        const QChar capital = c.toUpper();
        if (Cp1252::canEncode(QString(capital)))
            c = capital;
    }
    return result;
}

QString fileName(const QString &name)
{
    return name.toLower() + kSuffix;
}

QString fromFileName(const QString &entry)
{
    return upper(entry.left(entry.size() - kSuffix.size()));
}

QString problem(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("le nom est vide");
    if (trimmed != name)
        return QStringLiteral("le nom commence ou finit par une espace");
    if (trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return QStringLiteral("\".\" et \"..\" ne sont pas des noms d'hôtel");
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("les caractères \"/\" et \"\\\" sont interdits");
    if (PlainName::hasControl(name))
        return QStringLiteral("le nom contient des caractères de contrôle");
    if (!Cp1252::canEncode(name))
        return QStringLiteral("le nom contient des caractères non pris en charge");
    if (name.toUtf8().size() > kMaxNameBytes)
        return QStringLiteral("le nom est trop long");
    return {};
}

} // namespace HotelName
