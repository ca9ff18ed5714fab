#pragma once

#include <QByteArray>
#include <QString>

// Certificates made with openssl once per test process, never committed: a CA and
// a server certificate it signs for 127.0.0.1, and a rogue certificate for the same
// address signed by another CA.
namespace TestCertificates {

QByteArray caPem();
QString serverCertificate(); // the chain's PEM file
QString serverKey();
QString rogueCertificate(); // certificate and key in one PEM file

} // namespace TestCertificates
