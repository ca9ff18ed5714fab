#pragma once

#include <QString>
#include <functional>

namespace Ftp {

class FtpConnection;

// Once per folder and connection, before anything in the folder is written or judged: a
// lone aside takes its file's name again (it may be the only copy of a file whose swap was
// cut short), then the leftovers `TemporaryNames::sweep` finds dead are removed. The
// listing it takes is remembered for the folder.
namespace LeftoverSweep {

// `folder`: relative to the current one, with its trailing "/", or empty for the current one.
// `done` runs once the folder is swept; at once when this connection swept it already.
void run(FtpConnection &link, const QString &folder, std::function<void()> done);

} // namespace LeftoverSweep

} // namespace Ftp
