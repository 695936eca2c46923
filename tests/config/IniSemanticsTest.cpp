// The configuration file is read and written with the semantics of the Windows private-profile
// functions the unit's desktop program has always used. The key table's test reads and writes
// values of every type; these are the rules of the file itself.
#include "config/IniDocument.h"
#include "config/PrivateProfile.h"

#include <gtest/gtest.h>

TEST(IniDocument, SectionsAndKeysAreFoundAsThePlatformFindsThem)
{
    const QByteArray repeated = "[OPTIONS]\nA=2\na=3\n[OPTIONS]\nA=4\nB=9\n";
    // The file, the key looked for in OPTIONS, its value (nullptr: not there).
    const std::tuple<QByteArray, const char*, const char*> cases[] = {
        {"[OPTIONS]\r\nPORTTYPE=1\r\n[Other]\r\nCOMPORT=7\r\n", "COMPORT", nullptr},
        {"  [ OPTIONS ]  \r\n\t NETBIOSNAME \t=   SHED UNIT  \t\r\n", "NETBIOSNAME", "SHED UNIT"},
        {"[OPTIONS]\r\nPASSWORD=\r\n", "PASSWORD", ""},
        {repeated, "A", "2"},
        {repeated, "B", nullptr},
        {"[OPTIONS]\nPORTTYPE\n", "PORTTYPE", nullptr},
        {"[OPTIONS]\n;COMPORT=5\n", "COMPORT", nullptr},
        {"[OPTIONS]\nkey = a = b\n", "KEY", "a = b"},
        {"\xEF\xBB\xBF[OPTIONS]\r\nA=M\xC3\xBCller\r\n", "A", "M\u00FCller"},
    };
    for (const auto& [file, key, value] : cases) {
        SCOPED_TRACE(file.toStdString() + " " + key);
        const std::optional<QString> found =
            IniDocument::fromBytes(file).value(QStringLiteral("OPTIONS"), QString::fromLatin1(key));
        EXPECT_EQ(found.value_or("<none>"), value ? QString::fromUtf8(value) : "<none>");
    }
}

TEST(IniDocument, AWrittenValueKeepsEverythingElseAndEveryLineEndsWithCrLf)
{
    // The file before, a value written to PORTTYPE in OPTIONS (nullptr: none), the file after.
    const std::tuple<QByteArray, const char*, QByteArray> cases[] = {
        {"[OPTIONS]\nA=1\rB=2", nullptr, "[OPTIONS]\r\nA=1\r\nB=2\r\n"},
        // Not UTF-8: written by an older installation in the Windows code page.
        {"[OPTIONS]\r\nA=M\xFCller\r\n", nullptr, "[OPTIONS]\r\nA=M\xC3\xBCller\r\n"},
        {"; by hand\r\n[Options]\r\n  PortType = 0\r\n", "1",
         "; by hand\r\n[Options]\r\nPortType=1\r\n"},
        {"[Recent]\r\nF=a", "1", "[Recent]\r\nF=a\r\n\r\n[OPTIONS]\r\nPORTTYPE=1\r\n"},
        {"", "1\r\nCOMPORT=9", "[OPTIONS]\r\nPORTTYPE=1  COMPORT=9\r\n"}, // a value keeps its line
    };
    for (const auto& [before, value, after] : cases) {
        SCOPED_TRACE(before.toStdString());
        IniDocument document = IniDocument::fromBytes(before);
        if (value)
            document.setValue(QStringLiteral("OPTIONS"), QStringLiteral("PORTTYPE"), value);
        EXPECT_EQ(document.toBytes(), after);
    }
}

TEST(PrivateProfile, ValuesReadAsIntegersTextsAndNumbers)
{
    // The value in the file (nullptr: no such key); as an integer (default 77), a text (default
    // "default") and a number (default 1.5).
    const std::tuple<const char*, int, const char*, float> cases[] = {
        {nullptr, 77, "default", 1.5f},
        {"", 77, "", 0.0f},
        {"\"12\"", 12, "12", 12.0f},
        {"'single'", 0, "single", 0.0f},
        {"\"mixed'", 0, "\"mixed'", 0.0f},
        {"-4.5C", -4, "-4.5C", -4.5f},
        {"+.5", 0, "+.5", 0.5f},
        {"1e2x", 1, "1e2x", 100.0f},
        {"- 3", 0, "- 3", 0.0f},
        {"0x1F", 0, "0x1F", 0.0f},
        // Integers wrap around at 32 bits.
        {"4294967297", 1, "4294967297", 4294967297.0f},
        {"3232235786", -1062731510, "3232235786", 3232235786.0f},
    };
    for (const auto& [text, asInt, asText, asFloat] : cases) {
        SCOPED_TRACE(text ? text : "<none>");
        IniDocument document = IniDocument::fromBytes(QByteArray("[OPTIONS]\r\nKEY=") + text);
        const PrivateProfile profile(document, QStringLiteral("OPTIONS"));
        const QString key = text ? QStringLiteral("KEY") : QStringLiteral("OTHER");
        EXPECT_EQ(profile.readInt(key, 77), asInt);
        EXPECT_EQ(profile.readString(key, QStringLiteral("default")), QString::fromLatin1(asText));
        EXPECT_FLOAT_EQ(profile.readFloat(key, 1.5f), asFloat);
    }
}

TEST(PrivateProfile, ATextIsCutToTheBufferButNeverInsideACharacter)
{
    IniDocument document = IniDocument::fromBytes("[OPTIONS]\r\nDATAPATH=" + QByteArray(300, 'x') +
                                                  "\r\nNAME=" + QByteArray(15, 'a') +
                                                  "\xF0\x9F\x94\x8B\r\n"); // two UTF-16 units
    const PrivateProfile profile(document, QStringLiteral("OPTIONS"));
    EXPECT_EQ(profile.readString(QStringLiteral("DATAPATH"), {}), QString(255, u'x'));
    EXPECT_EQ(profile.readString(QStringLiteral("NAME"), {}, 16), QString(15, u'a'));
}
