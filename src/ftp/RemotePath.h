#pragma once

#include <QString>
#include <QStringList>

namespace Ftp {

// An absolute folder on the server, as one value whatever way the server wrote it: "/a/b",
// "/a/b/" and "/a//b" are the same folder. Empty when not known.
class RemotePath {
public:
    RemotePath() = default;
    // Anything but an absolute path is not known.
    explicit RemotePath(const QString &absolute)
    {
        if (!absolute.startsWith(QLatin1Char('/')))
            return;
        const QStringList parts = absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        text_ = QLatin1Char('/') + parts.join(QLatin1Char('/'));
    }

    bool isKnown() const { return !text_.isEmpty(); }
    const QString &text() const { return text_; }
    // `relative` ("x/y", with or without a last "/") below this folder.
    RemotePath below(const QString &relative) const
    {
        return isKnown() ? RemotePath(text_ + QLatin1Char('/') + relative) : RemotePath();
    }

    friend bool operator==(const RemotePath &, const RemotePath &) = default;

private:
    QString text_;
};

} // namespace Ftp
