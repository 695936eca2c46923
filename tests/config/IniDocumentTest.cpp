#include "config/IniDocument.h"

#include <gtest/gtest.h>

namespace {

QString valueOf(const IniDocument& document, const char* section, const char* key)
{
    return document.value(QString::fromLatin1(section), QString::fromLatin1(key))
        .value_or(QStringLiteral("<missing>"));
}

} // namespace

TEST(IniDocument, FindsSectionsAndKeysWhateverTheirCase)
{
    const IniDocument document =
        IniDocument::fromBytes("[options]\r\nPortType=1\r\n[Other]\r\nCOMPORT=7\r\n");
    EXPECT_EQ(valueOf(document, "OPTIONS", "PORTTYPE"), QStringLiteral("1"));
    EXPECT_EQ(valueOf(document, "Options", "porttype"), QStringLiteral("1"));
    // A key of another section is not one of this section's.
    EXPECT_FALSE(document.value(QStringLiteral("OPTIONS"), QStringLiteral("COMPORT")));
    EXPECT_FALSE(document.value(QStringLiteral("MISSING"), QStringLiteral("PORTTYPE")));
}

TEST(IniDocument, TrimsWhiteSpaceAroundNamesAndValues)
{
    const IniDocument document = IniDocument::fromBytes(
        "  [ OPTIONS ]  \r\n\t NETBIOSNAME \t=   SHED UNIT  \t\r\nPASSWORD=\r\n");
    EXPECT_EQ(valueOf(document, "OPTIONS", "NETBIOSNAME"), QStringLiteral("SHED UNIT"));
    // Present but empty is not the same as missing.
    EXPECT_EQ(valueOf(document, "OPTIONS", "PASSWORD"), QString());
}

TEST(IniDocument, FirstSectionAndFirstKeyOfANameWin)
{
    const IniDocument document = IniDocument::fromBytes(
        "[OPTIONS]\nCOMPORT=2\ncomport=3\n[OPTIONS]\nCOMPORT=4\nAVGCYCLES=9\n");
    EXPECT_EQ(valueOf(document, "OPTIONS", "COMPORT"), QStringLiteral("2"));
    EXPECT_FALSE(document.value(QStringLiteral("OPTIONS"), QStringLiteral("AVGCYCLES")));
}

TEST(IniDocument, LinesWithoutEqualsSignOrBeginningWithSemicolonAreNotTheKey)
{
    const IniDocument document =
        IniDocument::fromBytes("[OPTIONS]\nPORTTYPE\n;COMPORT=5\nkey = a = b\n");
    EXPECT_FALSE(document.value(QStringLiteral("OPTIONS"), QStringLiteral("PORTTYPE")));
    EXPECT_FALSE(document.value(QStringLiteral("OPTIONS"), QStringLiteral("COMPORT")));
    EXPECT_EQ(valueOf(document, "OPTIONS", "KEY"), QStringLiteral("a = b"));
}

TEST(IniDocument, ReadsLfAndCrLineEndsAndWritesCrLf)
{
    const IniDocument lf = IniDocument::fromBytes("[OPTIONS]\nA=1\nB=2");
    const IniDocument cr = IniDocument::fromBytes("[OPTIONS]\rA=1\rB=2\r");
    EXPECT_EQ(valueOf(lf, "OPTIONS", "B"), QStringLiteral("2"));
    EXPECT_EQ(valueOf(cr, "OPTIONS", "A"), QStringLiteral("1"));
    EXPECT_EQ(lf.toBytes(), QByteArray("[OPTIONS]\r\nA=1\r\nB=2\r\n"));
    EXPECT_EQ(cr.toBytes(), QByteArray("[OPTIONS]\r\nA=1\r\nB=2\r\n"));
}

TEST(IniDocument, IgnoresAByteOrderMarkAndReadsOldCodePageText)
{
    const IniDocument utf8 = IniDocument::fromBytes("\xEF\xBB\xBF[OPTIONS]\r\nA=M\xC3\xBCller\r\n");
    EXPECT_EQ(valueOf(utf8, "OPTIONS", "A"), QStringLiteral("M\u00FCller"));
    // Not valid UTF-8: written by an older installation in the Windows code page.
    const IniDocument latin1 = IniDocument::fromBytes("[OPTIONS]\r\nA=M\xFCller\r\n");
    EXPECT_EQ(valueOf(latin1, "OPTIONS", "A"), QStringLiteral("M\u00FCller"));
    EXPECT_EQ(latin1.toBytes(), QByteArray("[OPTIONS]\r\nA=M\xC3\xBCller\r\n"));
}

TEST(IniDocument, ReplacesAValueInPlaceKeepingEverythingElse)
{
    IniDocument document = IniDocument::fromBytes("; written by hand\r\n"
                                                  "[Recent]\r\nFile1=a.csv\r\n\r\n"
                                                  "[Options]\r\n  PortType = 0\r\nWINDOWPOS=1,2\r\n"
                                                  "\r\n[Last]\r\nX=1\r\n");
    document.setValue(QStringLiteral("OPTIONS"), QStringLiteral("PORTTYPE"), QStringLiteral("1"));
    EXPECT_EQ(document.toBytes(), QByteArray("; written by hand\r\n"
                                             "[Recent]\r\nFile1=a.csv\r\n\r\n"
                                             "[Options]\r\nPortType=1\r\nWINDOWPOS=1,2\r\n"
                                             "\r\n[Last]\r\nX=1\r\n"));
}

TEST(IniDocument, AddsNewKeysAtTheEndOfTheirSectionBeforeItsBlankLines)
{
    IniDocument document =
        IniDocument::fromBytes("[OPTIONS]\r\nPORTTYPE=0\r\n\r\n[Recent]\r\nFile1=a.csv\r\n");
    document.setValue(QStringLiteral("OPTIONS"), QStringLiteral("COMPORT"), QStringLiteral("3"));
    document.setValue(QStringLiteral("OPTIONS"), QStringLiteral("AVGCYCLES"), QStringLiteral("5"));
    EXPECT_EQ(document.toBytes(), QByteArray("[OPTIONS]\r\nPORTTYPE=0\r\nCOMPORT=3\r\n"
                                             "AVGCYCLES=5\r\n\r\n[Recent]\r\nFile1=a.csv\r\n"));
}

TEST(IniDocument, AddsAMissingSectionAtTheEnd)
{
    IniDocument empty;
    empty.setValue(QStringLiteral("OPTIONS"), QStringLiteral("PORTTYPE"), QStringLiteral("0"));
    EXPECT_EQ(empty.toBytes(), QByteArray("[OPTIONS]\r\nPORTTYPE=0\r\n"));

    IniDocument other = IniDocument::fromBytes("[Recent]\r\nFile1=a.csv");
    other.setValue(QStringLiteral("OPTIONS"), QStringLiteral("PORTTYPE"), QStringLiteral("0"));
    EXPECT_EQ(other.toBytes(),
              QByteArray("[Recent]\r\nFile1=a.csv\r\n\r\n[OPTIONS]\r\nPORTTYPE=0\r\n"));
}

TEST(IniDocument, KeepsAWrittenValueOnOneLine)
{
    IniDocument document;
    document.setValue(QStringLiteral("OPTIONS"), QStringLiteral("Label0"),
                      QStringLiteral("two\r\nCOMPORT=9"));
    EXPECT_EQ(valueOf(document, "OPTIONS", "Label0"), QStringLiteral("two  COMPORT=9"));
    EXPECT_FALSE(document.value(QStringLiteral("OPTIONS"), QStringLiteral("COMPORT")));
}
