#pragma once

#include <QLatin1String>
#include <QString>

// The section and key names of the configuration file.
namespace ConfigKey {

inline constexpr QLatin1String SECTION{"OPTIONS"};

inline constexpr QLatin1String PORTTYPE{"PORTTYPE"};
inline constexpr QLatin1String COMPORT{"COMPORT"};
inline constexpr QLatin1String AUTOPOLL_SERPORT{"AUTOPOLL_SERPORT"};
inline constexpr QLatin1String SER_TIMEOUT_RDINT{"SER_TIMEOUT_RDINT"};
inline constexpr QLatin1String SER_TIMEOUT_RDTOTMULT{"SER_TIMEOUT_RDTOTMULT"};
inline constexpr QLatin1String SER_TIMEOUT_RDTOTCONST{"SER_TIMEOUT_RDTOTCONST"};
inline constexpr QLatin1String SER_TIMEOUT_WRTOTMULT{"SER_TIMEOUT_WRTOTMULT"};
inline constexpr QLatin1String SER_TIMEOUT_WRTOTCONST{"SER_TIMEOUT_WRTOTCONST"};
inline constexpr QLatin1String IPADDRESS{"IPADDRESS"};
inline constexpr QLatin1String LISTENPORT{"LISTENPORT"};
inline constexpr QLatin1String USENETBIOS{"USENETBIOS"};
inline constexpr QLatin1String NETBIOSNAME{"NETBIOSNAME"};
inline constexpr QLatin1String TEMPOPTION{"TEMPOPTION"};
inline constexpr QLatin1String CLEARLOGDATA{"CLEARLOGDATA"};
inline constexpr QLatin1String AUTOSYNCTIME{"AUTOSYNCTIME"};
inline constexpr QLatin1String ENABLEPASSWORD{"ENABLEPASSWORD"};
inline constexpr QLatin1String PASSWORD{"PASSWORD"};
inline constexpr QLatin1String RUNCUSTOMLABELSDLG{"RUNCUSTOMLABELSDLG"};
inline constexpr QLatin1String AVGCYCLES{"AVGCYCLES"};
inline constexpr QLatin1String EFFDISPLAY{"EFFDISPLAY"};
inline constexpr QLatin1String DISPUPDATE{"DISPUPDATE"};
inline constexpr QLatin1String DATAORDER{"DATAORDER"};
inline constexpr QLatin1String PDATASAVE{"PDATASAVE"};
inline constexpr QLatin1String CHARGEDVALUE{"CHARGEDVALUE"};
inline constexpr QLatin1String USEWATTCLR{"USEWATTCLR"};
inline constexpr QLatin1String USEAMPCLR{"USEAMPCLR"};
inline constexpr QLatin1String USEPERCLR{"USEPERCLR"};
inline constexpr QLatin1String USETEMPCLR{"USETEMPCLR"};
inline constexpr QLatin1String USEVOLTCLR{"USEVOLTCLR"};
inline constexpr QLatin1String RGBLOW{"RGBLOW"};
inline constexpr QLatin1String RGBHIGH{"RGBHIGH"};
inline constexpr QLatin1String VOLTTHRESH{"VOLTTHRESH"};
inline constexpr QLatin1String PERTHRESH{"PERTHRESH"};
inline constexpr QLatin1String TEMPTHRESH{"TEMPTHRESH"};
inline constexpr QLatin1String USEDEFAULTLABELS{"USEDEFAULTLABELS"};
inline constexpr QLatin1String DATAPATH{"DATAPATH"};
inline constexpr QLatin1String SINGLEFILEPD{"SINGLEFILEPD"};
inline constexpr QLatin1String SINGLEPDFILENAME{"SINGLEPDFILENAME"};
inline constexpr QLatin1String DWNLDPERIODIC{"DWNLDPERIODIC"};
inline constexpr QLatin1String DWNLDEFFICIENCY{"DWNLDEFFICIENCY"};
inline constexpr QLatin1String DWNLDINTERVAL{"DWNLDINTERVAL"};

// Numbered keys: DISPDATA1..6, SHUNT1..3, VOLTLABEL1..2, AMPLABEL1..3, AHRLABEL1..2 count
// from 1, the report labels Label0..Label15 from 0.
inline constexpr QLatin1String DISPDATA{"DISPDATA"};
inline constexpr QLatin1String SHUNT{"SHUNT"};
inline constexpr QLatin1String VOLTLABEL{"VOLTLABEL"};
inline constexpr QLatin1String AMPLABEL{"AMPLABEL"};
inline constexpr QLatin1String AHRLABEL{"AHRLABEL"};
inline constexpr QLatin1String LABEL{"Label"};

inline QString numbered(QLatin1String prefix, int number)
{
    return QString(prefix) + QString::number(number);
}

// The maximum length of the password as it is read.
inline constexpr int PasswordMaxChars = 16;

} // namespace ConfigKey
