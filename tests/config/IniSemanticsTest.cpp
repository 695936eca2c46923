// The configuration file is read and written with the semantics of the Windows private-profile
// functions the unit's desktop program has always used.
#include "config/IniDocument.h"
#include "config/PrivateProfile.h"

#include <gtest/gtest.h>
#include <limits>

TEST(IniDocument, SectionsAndKeysAreFoundAsThePlatformFindsThem)
{
    struct Case {
        QByteArray file;
        const char* section;
        const char* key;
        const char* value; // nullptr: not there
    };
    const QByteArray twoSections = "[options]\r\nPortType=1\r\n[Other]\r\nCOMPORT=7\r\n";
    const QByteArray repeated =
        "[OPTIONS]\nCOMPORT=2\ncomport=3\n[OPTIONS]\nCOMPORT=4\nAVGCYCLES=9\n";
    const QByteArray odd = "[OPTIONS]\nPORTTYPE\n;COMPORT=5\nkey = a = b\n";
    const Case cases[] = {
        {twoSections, "OPTIONS", "PORTTYPE", "1"},
        {twoSections, "Options", "porttype", "1"},
        {twoSections, "OPTIONS", "COMPORT", nullptr},
        {twoSections, "MISSING", "PORTTYPE", nullptr},
        {"  [ OPTIONS ]  \r\n\t NETBIOSNAME \t=   SHED UNIT  \t\r\n", "OPTIONS", "NETBIOSNAME",
         "SHED UNIT"},
        {"[OPTIONS]\r\nPASSWORD=\r\n", "OPTIONS", "PASSWORD", ""},
        {repeated, "OPTIONS", "COMPORT", "2"},
        {repeated, "OPTIONS", "AVGCYCLES", nullptr},
        {odd, "OPTIONS", "PORTTYPE", nullptr},
        {odd, "OPTIONS", "COMPORT", nullptr},
        {odd, "OPTIONS", "KEY", "a = b"},
        {"\xEF\xBB\xBF[OPTIONS]\r\nA=M\xC3\xBCller\r\n", "OPTIONS", "A", "M\u00FCller"},
    };
    for (const Case& c : cases) {
        const std::optional<QString> value = IniDocument::fromBytes(c.file).value(
            QString::fromLatin1(c.section), QString::fromLatin1(c.key));
        EXPECT_EQ(value.value_or(QStringLiteral("<none>")),
                  c.value ? QString::fromUtf8(c.value) : QStringLiteral("<none>"))
            << c.file.toStdString() << " " << c.key;
    }
}

TEST(IniDocument, AWrittenValueKeepsEverythingElseAndEveryLineEndsWithCrLf)
{
    struct Case {
        QByteArray before;
        const char* key; // in OPTIONS; nullptr: nothing written
        const char* value;
        QByteArray after;
    };
    const Case cases[] = {
        {"[OPTIONS]\nA=1\nB=2", nullptr, nullptr, "[OPTIONS]\r\nA=1\r\nB=2\r\n"},
        {"[OPTIONS]\rA=1\rB=2\r", nullptr, nullptr, "[OPTIONS]\r\nA=1\r\nB=2\r\n"},
        // Not UTF-8: written by an older installation in the Windows code page.
        {"[OPTIONS]\r\nA=M\xFCller\r\n", nullptr, nullptr, "[OPTIONS]\r\nA=M\xC3\xBCller\r\n"},
        {"; by hand\r\n[Recent]\r\nFile1=a.csv\r\n\r\n[Options]\r\n  PortType = 0\r\nWINDOWPOS=1,2"
         "\r\n\r\n[Last]\r\nX=1\r\n",
         "PORTTYPE", "1",
         "; by hand\r\n[Recent]\r\nFile1=a.csv\r\n\r\n[Options]\r\nPortType=1\r\nWINDOWPOS=1,2"
         "\r\n\r\n[Last]\r\nX=1\r\n"},
        // A new key goes to the end of its section, before the section's blank lines.
        {"[OPTIONS]\r\nPORTTYPE=0\r\n\r\n[Recent]\r\nFile1=a.csv\r\n", "COMPORT", "3",
         "[OPTIONS]\r\nPORTTYPE=0\r\nCOMPORT=3\r\n\r\n[Recent]\r\nFile1=a.csv\r\n"},
        {"", "PORTTYPE", "0", "[OPTIONS]\r\nPORTTYPE=0\r\n"},
        {"[Recent]\r\nFile1=a.csv", "PORTTYPE", "0",
         "[Recent]\r\nFile1=a.csv\r\n\r\n[OPTIONS]\r\nPORTTYPE=0\r\n"},
        // A value stays on its line.
        {"", "Label0", "two\r\nCOMPORT=9", "[OPTIONS]\r\nLabel0=two  COMPORT=9\r\n"},
    };
    for (const Case& c : cases) {
        IniDocument document = IniDocument::fromBytes(c.before);
        if (c.key)
            document.setValue(QStringLiteral("OPTIONS"), QString::fromLatin1(c.key),
                              QString::fromLatin1(c.value));
        EXPECT_EQ(document.toBytes(), c.after) << c.before.toStdString();
    }
}

TEST(PrivateProfile, AnIntegerIsTheLeadingDecimalNumberWrappedAt32Bits)
{
    const std::pair<const char16_t*, qint64> cases[] = {
        {u"12abc", 12},
        {u"-5", -5},
        {u"+7", 7},
        {u"abc", 0},
        {u"-", 0},
        {u"  \t42", 42},
        {u"12.9", 12},
        {u"0x1F", 0},
        {u"- 3", 0},
        {u"--3", 0},
        {u"4294967296", 0},
        {u"4294967297", 1},
        {u"-4294967297", -1},
        {u"3232235786", -1062731510},
        {u"-2147483648", std::numeric_limits<qint32>::min()}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(PrivateProfile::parseInt(text), value) << QString::fromUtf16(text).toStdString();
}

TEST(PrivateProfile, ValuesReadAsIntegersTextsAndNumbers)
{
    struct Case {
        const char* text;   // the value in the file; nullptr: no such key
        int asInt;          // default 77
        const char* asText; // default "default"
        float asFloat;      // default 1.5
    };
    const Case cases[] = {
        {nullptr, 77, "default", 1.5f},
        {"", 77, "", 0.0f},
        {"\"12\"", 12, "12", 12.0f},
        {"abc", 0, "abc", 0.0f},
        {"'single'", 0, "single", 0.0f},
        {"\"open", 0, "\"open", 0.0f},
        {"\"mixed'", 0, "\"mixed'", 0.0f},
        {"\"", 0, "\"", 0.0f},
        {"12.26", 12, "12.26", 12.26f},
        {"-4.5C", -4, "-4.5C", -4.5f},
        {".5", 0, ".5", 0.5f},
        {"1e2x", 1, "1e2x", 100.0f},
        {"7.", 7, "7.", 7.0f},
        {"3e", 3, "3e", 3.0f},
    };
    for (const Case& c : cases) {
        IniDocument document;
        if (c.text)
            document = IniDocument::fromBytes(QByteArray("[OPTIONS]\r\nKEY=") + c.text);
        const PrivateProfile profile(document, QStringLiteral("OPTIONS"));
        const QString key = QStringLiteral("KEY");
        SCOPED_TRACE(c.text ? c.text : "<none>");
        EXPECT_EQ(profile.readInt(key, 77), c.asInt);
        EXPECT_EQ(profile.readString(key, QStringLiteral("default")),
                  QString::fromLatin1(c.asText));
        EXPECT_FLOAT_EQ(profile.readFloat(key, 1.5f), c.asFloat);
    }
}

TEST(PrivateProfile, ATextIsCutToTheBufferButNeverInsideACharacter)
{
    IniDocument document = IniDocument::fromBytes(
        "[OPTIONS]\r\nDATAPATH=" + QByteArray(300, 'x') +
        "\r\nPASSWORD=0123456789abcdefXYZ\r\n"
        "NAME=" +
        QByteArray(15, 'a') + "\xF0\x9F\x94\x8B\r\n"); // U+1F50B: two UTF-16 units
    const PrivateProfile profile(document, QStringLiteral("OPTIONS"));
    EXPECT_EQ(profile.readString(QStringLiteral("DATAPATH"), {}), QString(255, u'x'));
    EXPECT_EQ(profile.readString(QStringLiteral("PASSWORD"), {}, 16), "0123456789abcdef");
    EXPECT_EQ(profile.readString(QStringLiteral("NAME"), {}, 16), QString(15, u'a'));
}
