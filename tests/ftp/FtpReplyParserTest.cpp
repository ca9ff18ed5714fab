#include "ftp/FtpReply.h"
#include "ftp/FtpReplyParser.h"

#include <gtest/gtest.h>

namespace {

QList<Ftp::FtpReply> feedAll(Ftp::FtpReplyParser &parser, const QList<QByteArray> &pieces)
{
    QList<Ftp::FtpReply> replies;
    for (const QByteArray &piece : pieces)
        replies += parser.feed(piece);
    return replies;
}

Ftp::FtpReply reply(int code, const QByteArray &line)
{
    return Ftp::FtpReply{code, {line}};
}

} // namespace

TEST(FtpReplyParser, SingleLineRepliesSurviveAnySplit)
{
    Ftp::FtpReplyParser parser;
    const QList<Ftp::FtpReply> replies = feedAll(parser, {"2", "20 rea", "dy\r", "\n331 Pass\r\n"});
    ASSERT_EQ(replies.size(), 2);
    EXPECT_EQ(replies[0].code, 220);
    EXPECT_EQ(replies[0].lines, QList<QByteArray>{"220 ready"});
    EXPECT_EQ(replies[1].code, 331);
    EXPECT_FALSE(parser.inReply());
}

TEST(FtpReplyParser, MultiLineEndsOnlyAtItsOwnCodeAndSpace)
{
    Ftp::FtpReplyParser parser;
    // vsftpd/pyftpdlib style FEAT, then a reply whose middle line starts with
    // another code and one whose middle lines repeat the code with a hyphen.
    const QList<Ftp::FtpReply> replies = parser.feed(
        "211-Features supported:\r\n EPSV\r\n MLST type*;size*;\r\n UTF8\r\n211 End FEAT.\r\n"
        "250-Directory changed\r\n200 inner line, not the end\r\n250 Done\r\n"
        "220-a\r\n220-b\r\n 220 c\r\n220 ready\r\n");
    ASSERT_EQ(replies.size(), 3);
    EXPECT_EQ(replies[0].lines.size(), 5);
    EXPECT_EQ(replies[1].code, 250);
    EXPECT_EQ(replies[1].lines.size(), 3);
    EXPECT_EQ(replies[2].lines.size(), 4);
    EXPECT_EQ(replies[2].lines.last(), "220 ready");
}

TEST(FtpReplyParser, BareLineFeedsAreLineEnds)
{
    Ftp::FtpReplyParser parser;
    const QList<Ftp::FtpReply> replies = parser.feed("220-Welcome\n 220 is not the end\n220 ok\n230 in\n");
    ASSERT_EQ(replies.size(), 2);
    EXPECT_EQ(replies[0].lines.size(), 3);
    EXPECT_EQ(replies[1].code, 230);
}

TEST(FtpReplyParser, HostileStreamsFailInsteadOfGrowing)
{
    Ftp::FtpReplyParser garbage;
    EXPECT_TRUE(garbage.feed("hello there\r\n").isEmpty());
    EXPECT_TRUE(garbage.failed());
    EXPECT_TRUE(garbage.feed("220 ok\r\n").isEmpty()); // stays failed

    Ftp::FtpReplyParser endlessLine;
    endlessLine.feed(QByteArray(Ftp::FtpReplyParser::kMaxLineLength + 1, 'a'));
    EXPECT_TRUE(endlessLine.failed());

    Ftp::FtpReplyParser endlessReply;
    QByteArray many = "211-x\r\n";
    for (int i = 0; i < Ftp::FtpReplyParser::kMaxLines + 1; ++i)
        many += " line\r\n";
    endlessReply.feed(many);
    EXPECT_TRUE(endlessReply.failed());
}

TEST(FtpReplyFields, QuotedNameOfA257Reply)
{
    EXPECT_EQ(reply(257, R"(257 "/a ""b"" c" is the current directory)").quotedName(), "/a \"b\" c");
    EXPECT_EQ(reply(257, R"(257 "/www/les pins" created)").quotedName(), "/www/les pins");
    EXPECT_EQ(reply(257, R"(257 "/unterminated)").quotedName(), "");
    EXPECT_EQ(reply(257, "257 no quotes").quotedName(), "");
}

TEST(FtpReplyFields, PassivePortIgnoresTheAddressOfA227)
{
    EXPECT_EQ(reply(229, "229 Entering Extended Passive Mode (|||41389|)").passivePort(), 41389);
    EXPECT_EQ(reply(229, "229 ok (!!!2121!)").passivePort(), 2121);
    EXPECT_EQ(reply(227, "227 Entering Passive Mode (192,0,2,1,195,80).").passivePort(), 50000);
    EXPECT_FALSE(reply(227, "227 Entering Passive Mode (192,0,2,1,0,0).").passivePort());
    EXPECT_FALSE(reply(227, "227 Entering Passive Mode (192,0,2,1,256,1).").passivePort());
    EXPECT_FALSE(reply(229, "229 (|||99999|)").passivePort());
    EXPECT_FALSE(reply(200, "200 (|||2121|)").passivePort());
}
