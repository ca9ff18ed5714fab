#include "common/Cp1252.h"
#include "common/Module1.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {
const QTemporaryDir folder;
const QString path = folder.path() + QStringLiteral("/list.ini");
} // namespace

// A list file of any bytes: read, then written back and read again unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (Common::Cp1252::encode(Common::Cp1252::decode(bytes)) != bytes)
        __builtin_trap();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        __builtin_trap();
    file.write(bytes);
    file.close();
    QStringList lines;
    try {
        lines = Common::Module1::readListFile(path);
        Common::Module1::SaveListFile(path, lines);
    } catch (const Common::ListFileError &) {
        return 0;
    }
    if (Common::Module1::readListFile(path) != lines)
        __builtin_trap();
    return 0;
}
