#pragma once

#include <QString>
#include <QStringList>

namespace Common {

// Every folder of the content server the program writes to, from the login folder down,
// one level per "CD". Declared here only.
namespace RemoteTree {

inline const QStringList kPhrases = {QStringLiteral("www"), QStringLiteral("hmanager"),
                                     QStringLiteral("datas"), QStringLiteral("textes")};
inline const QStringList kVideos = {QStringLiteral("www"), QStringLiteral("hmanager"),
                                    QStringLiteral("datas"), QStringLiteral("videos")};
inline const QStringList kVideoLists = {QStringLiteral("www"), QStringLiteral("hmanager"),
                                        QStringLiteral("datas"), QStringLiteral("videos_lst")};
// The real-estate client's site, and its detail pages below it.
inline const QStringList kSalesSite = {QStringLiteral("www"), QStringLiteral("clients"),
                                       QStringLiteral("tolmi"), QStringLiteral("pub2"),
                                       QStringLiteral("ventes_celane_real_estate")};
inline const QStringList kSalesDetail = kSalesSite + QStringList{QStringLiteral("celane-sales")};

// The same folder as one path from the login folder.
inline QString path(const QStringList &folders)
{
    return folders.join(QLatin1Char('/'));
}

} // namespace RemoteTree

} // namespace Common
