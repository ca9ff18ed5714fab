#pragma once

#include <QByteArray>
#include <QString>

// Whole files for the tests.
namespace TestFiles {

// The file's bytes, or "<missing>" when it cannot be read.
QByteArray read(const QString &path);
// Writes the bytes, creating the folders on the way; false when it cannot.
bool write(const QString &path, const QByteArray &bytes);

} // namespace TestFiles
