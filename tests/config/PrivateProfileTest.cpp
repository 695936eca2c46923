#include "config/PrivateProfile.h"

#include "config/IniDocument.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

// A profile over one "OPTIONS" section holding the given lines.
class ProfileOver {
public:
    explicit ProfileOver(const QByteArray& lines)
        : document_(IniDocument::fromBytes("[OPTIONS]\r\n" + lines)),
          profile_(document_, QStringLiteral("OPTIONS"))
    {}
    PrivateProfile& operator*() { return profile_; }
    PrivateProfile* operator->() { return &profile_; }
    QByteArray bytes() const { return document_.toBytes(); }

private:
    IniDocument document_;
    PrivateProfile profile_;
};

} // namespace

TEST(PrivateProfileInt, IsTheLeadingDecimalNumberOfTheText)
{
    EXPECT_EQ(PrivateProfile::parseInt(u"12abc"), 12);
    EXPECT_EQ(PrivateProfile::parseInt(u"-5"), -5);
    EXPECT_EQ(PrivateProfile::parseInt(u"+7"), 7);
    EXPECT_EQ(PrivateProfile::parseInt(u"abc"), 0);
    EXPECT_EQ(PrivateProfile::parseInt(u"-"), 0);
    EXPECT_EQ(PrivateProfile::parseInt(u"  \t42"), 42);
    EXPECT_EQ(PrivateProfile::parseInt(u"12.9"), 12);
    EXPECT_EQ(PrivateProfile::parseInt(u"0x1F"), 0);
    EXPECT_EQ(PrivateProfile::parseInt(u"- 3"), 0);
    EXPECT_EQ(PrivateProfile::parseInt(u"--3"), 0);
}

TEST(PrivateProfileInt, WrapsAroundAt32Bits)
{
    EXPECT_EQ(PrivateProfile::parseInt(u"-1062731510"), -1062731510);
    EXPECT_EQ(PrivateProfile::parseInt(u"3232235786"), -1062731510);
    EXPECT_EQ(PrivateProfile::parseInt(u"4294967296"), 0);
    EXPECT_EQ(PrivateProfile::parseInt(u"4294967297"), 1);
    EXPECT_EQ(PrivateProfile::parseInt(u"-4294967297"), -1);
    EXPECT_EQ(PrivateProfile::parseInt(u"-2147483648"), std::numeric_limits<qint32>::min());
}

TEST(PrivateProfileInt, MissingOrEmptyKeyGivesTheDefault)
{
    ProfileOver profile("COMPORT=\r\nAVGCYCLES=abc\r\nDISPDATA1=\"12\"\r\nDATAORDER= -3 \r\n");
    EXPECT_EQ(profile->readInt(QStringLiteral("PORTTYPE"), 77), 77);
    EXPECT_EQ(profile->readInt(QStringLiteral("COMPORT"), 1), 1);
    EXPECT_EQ(profile->readInt(QStringLiteral("avgcycles"), 5), 0);
    EXPECT_EQ(profile->readInt(QStringLiteral("DISPDATA1"), 0), 12);
    EXPECT_EQ(profile->readInt(QStringLiteral("DATAORDER"), 0), -3);
}

TEST(PrivateProfileString, MissingKeyGivesTheDefaultAndEmptyValueGivesEmpty)
{
    ProfileOver profile("PASSWORD=\r\n");
    EXPECT_EQ(profile->readString(QStringLiteral("NETBIOSNAME"), QStringLiteral("ZELTRAVANIC1")),
              QStringLiteral("ZELTRAVANIC1"));
    EXPECT_EQ(profile->readString(QStringLiteral("PASSWORD"), QStringLiteral("x")), QString());
}

TEST(PrivateProfileString, LosesEnclosingMatchingQuotesOnly)
{
    ProfileOver profile("A=\"quoted\"\r\nB='single'\r\nC=\"open\r\nD=\"mixed'\r\nE=\"\r\n");
    EXPECT_EQ(profile->readString(QStringLiteral("A"), QString()), QStringLiteral("quoted"));
    EXPECT_EQ(profile->readString(QStringLiteral("B"), QString()), QStringLiteral("single"));
    EXPECT_EQ(profile->readString(QStringLiteral("C"), QString()), QStringLiteral("\"open"));
    EXPECT_EQ(profile->readString(QStringLiteral("D"), QString()), QStringLiteral("\"mixed'"));
    EXPECT_EQ(profile->readString(QStringLiteral("E"), QString()), QStringLiteral("\""));
}

TEST(PrivateProfileString, IsCutToTheBuffer)
{
    const QByteArray longText(300, 'x');
    ProfileOver profile("DATAPATH=" + longText + "\r\nPASSWORD=0123456789abcdefXYZ\r\n");
    EXPECT_EQ(profile->readString(QStringLiteral("DATAPATH"), QString()), QString(255, u'x'));
    EXPECT_EQ(profile->readString(QStringLiteral("PASSWORD"), QString(), 16),
              QStringLiteral("0123456789abcdef"));
}

TEST(PrivateProfileString, NeverKeepsHalfACharacterWhenCut)
{
    // U+1F50B takes two UTF-16 units; the cut falls between them.
    ProfileOver named("NAME=" + QByteArray(15, 'a') + "\xF0\x9F\x94\x8B\r\n");
    EXPECT_EQ(named->readString(QStringLiteral("NAME"), QString(), 16), QString(15, u'a'));
}

TEST(PrivateProfileFloat, ReadsTheLeadingDecimalNumber)
{
    ProfileOver profile("VOLTTHRESH=12.26\r\nPERTHRESH=abc\r\nTEMPTHRESH=-4.5C\r\n"
                        "A=.5\r\nB=1e2x\r\nC=7.\r\nD=3e\r\nE=\r\n");
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("VOLTTHRESH"), 1.0f), 12.26f);
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("PERTHRESH"), 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("TEMPTHRESH"), 1.0f), -4.5f);
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("A"), 1.0f), 0.5f);
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("B"), 1.0f), 100.0f);
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("C"), 1.0f), 7.0f);
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("D"), 1.0f), 3.0f);
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("E"), 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(profile->readFloat(QStringLiteral("MISSING"), 32.0f), 32.0f);
}

TEST(PrivateProfileWrite, WritesSignedIntegersAndOneDecimalFloats)
{
    ProfileOver profile("");
    profile->writeInt(QStringLiteral("IPADDRESS"), -1062731510);
    profile->writeFloat(QStringLiteral("VOLTTHRESH"), 12.26f);
    profile->writeFloat(QStringLiteral("PERTHRESH"), 50.0f);
    profile->writeFloat(QStringLiteral("TEMPTHRESH"), -3.04f);
    profile->writeString(QStringLiteral("NETBIOSNAME"), QStringLiteral(" spaced "));
    EXPECT_EQ(profile.bytes(), QByteArray("[OPTIONS]\r\nIPADDRESS=-1062731510\r\n"
                                          "VOLTTHRESH=12.3\r\nPERTHRESH=50.0\r\n"
                                          "TEMPTHRESH=-3.0\r\nNETBIOSNAME= spaced \r\n"));
}
