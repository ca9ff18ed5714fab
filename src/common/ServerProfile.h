#pragma once

#include <QString>

namespace Common {

// The content server's account. The program compiles one in; tests pass their own.
struct ServerProfile {
    QString host;
    quint16 port = 21;
    QString user = QStringLiteral("pendric");
    QString password;
};

} // namespace Common
