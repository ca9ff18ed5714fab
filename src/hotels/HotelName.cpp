#include "hotels/HotelName.h"

#include "common/Cp1252.h"

namespace Hotels {

namespace HotelName {

QString upper(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        const QChar capital = c.toUpper();
        if (Common::Cp1252::canEncode(QString(capital)))
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


} // namespace HotelName

} // namespace Hotels
