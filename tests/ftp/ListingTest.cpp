#include "ftp/FtpCommand.h"
#include "ftp/FtpNameCodec.h"
#include "ftp/ListParser.h"
#include "ftp/MlsdParser.h"
#include "ftp/RemoteListing.h"
#include "ftp/TemporaryNames.h"

#include <gtest/gtest.h>

namespace {

Ftp::RemoteEntry file(const QString &name, qint64 size = -1) { return {name, false, size}; }
Ftp::RemoteEntry folder(const QString &name) { return {name, true}; }

// The name and kind of a parsed line, its facts left out.
std::optional<Ftp::RemoteEntry> kind(std::optional<Ftp::RemoteEntry> entry)
{
    if (entry)
        *entry = {entry->name, entry->folder};
    return entry;
}

} // namespace

TEST(MlsdParser, RealServerLines)
{
    // pyftpdlib
    EXPECT_EQ(kind(Ftp::MlsdParser::parse("type=dir;size=4096;modify=20241208140900;perm=elcmfd; www")),
              folder("www"));
    EXPECT_EQ(kind(Ftp::MlsdParser::parse("type=file;size=6;modify=20241208140900;perm=radfwMT; a b.ini")),
              file("a b.ini"));
    // ProFTPD: facts in another order, a name with a leading space kept
    EXPECT_EQ(kind(Ftp::MlsdParser::parse("modify=20240101120000;perm=adfrw;size=12;type=file;"
                                "UNIX.mode=0644; notes.txt")),
              file("notes.txt"));
    EXPECT_EQ(kind(Ftp::MlsdParser::parse("type=file;size=1;  leading")), file(" leading"));
    EXPECT_EQ(kind(Ftp::MlsdParser::parse("Type=DIR; Upper")), folder("Upper"));
    EXPECT_EQ(kind(Ftp::MlsdParser::parse("type=OS.unix=symlink;size=7; latest")), file("latest"));
    EXPECT_FALSE(Ftp::MlsdParser::parse("type=cdir;size=4096; ."));
    EXPECT_FALSE(Ftp::MlsdParser::parse("type=pdir;size=4096; .."));
    EXPECT_FALSE(Ftp::MlsdParser::parse("nospace"));
    // The exact facts a start compares with the last one; a size that is no number is unknown.
    const auto facts = Ftp::MlsdParser::parse("type=file;size=6;modify=20241208140900.123; a.ini");
    EXPECT_EQ(facts->size, 6);
    EXPECT_EQ(facts->modified, "20241208140900.123");
    EXPECT_EQ(Ftp::MlsdParser::parse("type=file;size=x6; a.ini")->size, -1);
}

TEST(ListParser, UnixLines)
{
    // vsftpd, numeric owners and a name with spaces
    EXPECT_EQ(Ftp::ListParser::parse("drwxr-xr-x    2 102      105          4096 Dec 08 14:09 www"),
              folder("www"));
    EXPECT_EQ(Ftp::ListParser::parse("-rw-r--r--    1 102      105             3 Dec 08 14:09 x  y.txt"),
              file("x  y.txt", 3));
    // ProFTPD with a year, Pure-FTPd padding
    EXPECT_EQ(Ftp::ListParser::parse("-rw-r--r--   1 ftp      ftp          1234 Mar  5  2021 readme"),
              file("readme", 1234));
    EXPECT_EQ(Ftp::ListParser::parse("drwxr-xr-x    2 1000       1000   4096 Jan  1 12:00 docs 2"),
              folder("docs 2"));
    // no group column, ACL marker, symbolic link
    EXPECT_EQ(Ftp::ListParser::parse("-rw-r--r--+ 1 owner 1234 Jan 01 12:00 file.txt"), file("file.txt", 1234));
    EXPECT_EQ(Ftp::ListParser::parse("lrwxrwxrwx    1 0        0       7 Jan 01  2020 latest -> v1.2"),
              file("latest"));
    EXPECT_FALSE(Ftp::ListParser::parse("total 12"));
    EXPECT_FALSE(Ftp::ListParser::parse(""));
}

TEST(ListParser, DosLines)
{
    EXPECT_EQ(Ftp::ListParser::parse("01-15-24  10:30AM       <DIR>          Old Folder"), folder("Old Folder"));
    EXPECT_EQ(Ftp::ListParser::parse("11-02-2023  03:05PM                 1234 report 2023.pdf"),
              file("report 2023.pdf", 1234));
    EXPECT_EQ(Ftp::ListParser::parse("11-02-23  15:05                 1 a"), file("a", 1));
}

TEST(RemoteListing, UnsafeNamesNeverComeOut)
{
    Ftp::FtpNameCodec utf8;
    utf8.setUtf8(true);
    const QByteArray answer = "type=cdir; .\r\ntype=pdir; ..\r\ntype=dir; my folder\r\n"
                              "type=file; caf\xc3\xa9.ini\r\ntype=file; ../x\r\ntype=file; a/b\r\n"
                              "type=file; bad\rname\r\ntype=file; tab\there\r\ntype=file; c\xc2\x85" "d\r\n"
                              "type=file; ~hmpart-left.ini\n"
                              "type=file; last";
    const QList<Ftp::RemoteEntry> entries = Ftp::RemoteListing::parse(answer, Ftp::RemoteListing::Format::Mlsd, utf8);
    const QList<Ftp::RemoteEntry> expected{folder("my folder"), file(QStringLiteral("café.ini")),
                                      file("~hmpart-left.ini"), file("last")};
    EXPECT_EQ(entries, expected);
}

TEST(RemoteListing, NamesDecodeInTheServersCharacterSet)
{
    Ftp::FtpNameCodec cp1252;
    const auto entries = Ftp::RemoteListing::parse("caf\xe9.ini\r\n\x80uro\r\n\r\n",
                                              Ftp::RemoteListing::Format::Nlst, cp1252);
    const QList<Ftp::RemoteEntry> expected{file(QStringLiteral("café.ini")), file(QStringLiteral("€uro"))};
    EXPECT_EQ(entries, expected);
    EXPECT_FALSE(cp1252.encode(QStringLiteral("名前")));
    EXPECT_EQ(cp1252.encode(QStringLiteral("café")), QByteArray("caf\xe9"));
}

TEST(FtpCommand, TextJoinsWithSingleSpacesAndLineBreaksInvalidate)
{
    EXPECT_EQ(Ftp::FtpCommand::put("/a b.ini", "les pins_txt.ini").text(), "PUT /a b.ini les pins_txt.ini");
    EXPECT_EQ(Ftp::FtpCommand::cdup().text(), "CDUP");
    EXPECT_EQ(Ftp::FtpCommand::rename("a", "b").text(), "RENAME a b");
    EXPECT_EQ(Ftp::FtpCommand::remove("x").text(), "DELETE x");
    EXPECT_TRUE(Ftp::FtpCommand::cd("les pins").isValid());
    EXPECT_FALSE(Ftp::FtpCommand::cd("a\r\nDELE b").isValid());
    EXPECT_FALSE(Ftp::FtpCommand::get("a\nb", "/tmp/x").isValid());
    EXPECT_FALSE(Ftp::FtpCommand::mkdir(QStringLiteral("a") + QChar(0)).isValid());
}

// Leftovers are judged by the server's clock, the newest time of the same listing: neither the
// workstation's clock nor a server listing in its own zone moves the 15 minutes.
TEST(TemporaryNames, SweepJudgesAgeByTheNewestTimeOfTheListing)
{
    using Ftp::RemoteEntry;
    for (const qint64 offset : {-20 * 60, 0, 20 * 60, -5 * 3600}) {
        const QDateTime server = QDateTime::currentDateTimeUtc().addSecs(offset);
        const auto before = [&](qint64 secs) { return RemoteEntry::fact(server.addSecs(-secs)); };
        const QList<RemoteEntry> listed{
            {"newest.ini", false, 1, before(0)},
            {"~hmpart-00000001-a.ini", false, 1, before(15 * 60)},     // a colleague's, still young
            {"~hmpart-00000002-b.ini", false, 1, before(15 * 60 + 1)}, // dead
            {"~hmpart-00000003-c.ini", false, 1, {}},                  // no time: left alone
            {"~hmpart-old-gone.ini", false, 1, before(3600)},          // the only copy: put back
            {"~hmpart-old-newest.ini", false, 1, before(3600)},        // beside its file: dead
        };
        const Ftp::TemporaryNames::Sweep sweep = Ftp::TemporaryNames::sweep(listed);
        EXPECT_EQ(sweep.dead, (QStringList{"~hmpart-00000002-b.ini", "~hmpart-old-newest.ini"})) << offset;
        EXPECT_EQ(sweep.lone, QStringList{"~hmpart-old-gone.ini"}) << offset;
    }
    const RemoteEntry alone{"~hmpart-00000002-b.ini", false, 1, "20010101000000"};
    EXPECT_TRUE(Ftp::TemporaryNames::sweep({alone}).dead.isEmpty()) << "nothing newer to judge it by";
}
