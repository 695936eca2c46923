#pragma once

#include <QString>
#include <QStringView>

class IniDocument;

// Key-by-key access to one section of an INI document with the semantics of the Windows
// private-profile functions the unit's desktop program has always used: a missing key gives the
// caller's default, a value enclosed in matching quotes loses them, strings are cut to the
// caller's buffer, integers are the leading decimal number of the value text.
class PrivateProfile {
public:
    // A string buffer of 256 characters, one of them the terminator.
    static constexpr int DefaultMaxChars = 255;

    PrivateProfile(IniDocument& document, QString section);

    bool contains(const QString& key) const;
    QString readString(const QString& key, const QString& defaultValue,
                       int maxChars = DefaultMaxChars) const;
    // A key with an empty value also gives the default.
    int readInt(const QString& key, int defaultValue) const;
    // The value read as a string and converted to double the way atof does, then kept within
    // a float's range.
    float readFloat(const QString& key, float defaultValue) const;

    // A text enclosed in matching quotes, or starting or ending with white space, is written in
    // quotes, so it reads back whole.
    void writeString(const QString& key, const QString& value);
    void writeInt(const QString& key, qint32 value);
    // One decimal, as "%.1f" gives it.
    void writeFloat(const QString& key, float value);

    // Optional white space, an optional sign, then decimal digits up to the first other
    // character; the value wraps around at 32 bits. No digits give 0.
    static qint32 parseInt(QStringView text);
    // The longest leading decimal number (sign, digits, point, exponent) after white space;
    // 0 when there is none.
    static double parseDouble(QStringView text);

private:
    QString rawValue(const QString& key) const;

    IniDocument& document_;
    QString section_;
};
