#include "tests/e2e/KnownLogImage.h"

#include <QDir>
#include <QTimeZone>

namespace KnownLogImage {

MemoryImage image()
{
    const std::pair<int, const char*> logBytes[] = {
        // Periodic log from 0x0300. Block 0: no block before it, items 0x0261 (Ahr 1,
        // temperature, Volts 1, battery state), 11-byte records.
        {0x0300, "006102"},
        // Day 9 block 7 minute 150 (23:30): Ahr 1 code 2, magnitude 1023, negative; 25 and
        // -1 C; Volts 1 252 (bits 11..15 set, not part of the value); 95% charged, 40% not.
        {0x0303, "4f0096 ffa3 19ff fcf8 df28"},
        // Day 10 block 0 minute 0: Ahr 1 code 1, magnitude 1023; -128 C twice; Volts 1 256;
        // 100% not charged, 100% charged.
        {0x030E, "500000 ff13 8080 0001 64e4"},
        // Block 1: the last record of block 0 is at offset 14; items 0x0180 (Amps 1, Volts 2).
        {0x0340, "0e8001"},
        // Day 10 block 3 minute 15 (09:15): Amps 1 code 7, magnitude 5; Volts 2 260.
        {0x0343, "53000f 0570 0401"},
        // Discharge profile from 0x2000, entries 1 to 3 of block 0. Battery 1, 31 x 5 %, day
        // 14, 252 x 0.05 V, -12 A (code 3).
        {0x2005, "1ffc700cb0"},
        // Battery 2 (bits 5 and 6 set, not part of the value), 90 %, day 15, 12.5 V, -0.5 A.
        {0x200A, "f2fa78f481"},
        // Battery 1, 50 %, day 15, 12.4 V, +102.3 A (code 2; bits 10, 11 and 14 set, not part
        // of it).
        {0x200F, "0af878ff6f"},
        // Efficiency indexes: battery 1 newest record 2, not wrapped; battery 2 empty.
        {0x2FFC, "02000000"},
        // Battery 1: cycles ending on day 8 00:00, day 9 00:00, day 9 12:00, each valid.
        // Counter A 100000, 99000, 98500; counter B 50000, 0xFFFF00, 100 (rolled over).
        {0x3000, "00 4080 a08601 50c300"},
        {0x3009, "00 4880 b88201 00ffff"},
        {0x3012, "00 4c80 c48001 640000"},
    };
    MemoryImage image;
    for (const auto& [address, text] : logBytes) {
        const QByteArray bytes = QByteArray::fromHex(text);
        image.memory.replace(address, bytes.size(), bytes);
    }
    // The newest periodic record at 0x0343 (the first two bytes count the records written);
    // the newest discharge-profile entry at 0x200F.
    image.periodicRecord = QByteArray::fromHex("03004303");
    image.dischargeRecord = QByteArray::fromHex("000f20");
    return image;
}

QDateTime pcTime()
{
    return QDateTime(QDate(2026, 3, 15), QTime(9, 30, 27), QTimeZone::utc());
}

QByteArray periodicAllColumns()
{
    return "Date Time,AD13: Ahr 1,AD14: Ahr 2,AD15: Ahr 3,AD20: Whr 1,AD21: Whr 2,"
           "Tmax(F), Tmin(F),AD3: Volts 1,AD10: Amps 1,AD4: Volts 2,"
           "AD22: Battery #1: %Full,Batt. 1 got charged,AD23: Battery #2: %Full,"
           "Batt. 2 got charged"
           "\r03/14/2026 23:30:27,-102.30,-X-,-X-,-X-,-X-,77.0,30.2,12.6,-X-,-X-,95,1,40,0"
           "\r03/15/2026 00:00:27,10.23,-X-,-X-,-X-,-X-,-198.4,-198.4,12.8,-X-,-X-,100,0,100,1"
           "\r03/15/2026 09:15:27,-X-,-X-,-X-,-X-,-X-,-X-,-X-,-X-,50000.00,13.0,-X-,-X-,-X-,-X-";
}

QByteArray periodicSelectedColumns()
{
    return "Date Time,AD13: Ahr 1,Tmax(F), Tmin(F),AD3: Volts 1,"
           "AD22: Battery #1: %Full,Charged 1,AD23: Battery #2: %Full,Charged 2"
           "\r03/14/2026 23:30:27,-102.30,77.0,30.2,12.6,95,100,40,0"
           "\r03/15/2026 00:00:27,10.23,-198.4,-198.4,12.8,100,0,100,100"
           "\r03/15/2026 09:15:27,50000.00,13.0";
}

QByteArray battery1Efficiency()
{
    return "Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg Eff,Self DisChrg, "
           "5 Cycle Chrg Eff, 5 Cycle Self DisChrg"
           "\r03/14/2026 00:00:27,FALSE,0.00,0.00,0.00,0.00,0.00%,0.00,0.00%,0.00"
           "\r03/14/2026 12:00:27,TRUE,12.00,-3.56,5.00,1.44,71.20%,0.12,0.00%,0.00";
}

QByteArray battery2Efficiency()
{
    return "Date Time,Valid,Cycle Hrs,Dis AHrs,Chrg AHrs,Net AHrs,Chrg Eff,Self DisChrg, "
           "5 Cycle Chrg Eff, 5 Cycle Self DisChrg";
}

QByteArray battery1DischargeProfile()
{
    return "Day of Month,Percent Full,Filtered Volts,Filtered Amps"
           "\r14,155%,12.60,-12.00"
           "\r15,50%,12.40,102.30";
}

QByteArray battery2DischargeProfile()
{
    return "Day of Month,Percent Full,Filtered Volts,Filtered Amps"
           "\r15,90%,12.50,-0.50";
}

QString summary(const QString& basePath)
{
    return QStringLiteral("Data Downloaded:\n   3 Periodic records\n   4 Efficiency records\n"
                          "   3 Battery Discharge Profile records\n\nData files saved in:\n") +
           QDir::toNativeSeparators(basePath);
}

} // namespace KnownLogImage
