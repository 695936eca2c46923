#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "display/OptionsApply.h"
#include "link/CUnitLink.h"
#include "mqtt/Publisher.h"
#include "mqtt/ReadingMessages.h"
#include "mqtt/UnitReader.h"
#include "resources/StringTable.h"
#include "tests/cli/CliRunner.h"
#include "tests/support/MosquittoBroker.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestBytes.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TopicRecorder.h"

#include <QProcess>
#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

namespace {

const QString Availability = QStringLiteral("test/site/unit1/availability");
const QString State = QStringLiteral("test/site/unit1/state");

// A unit that says something of everything a reading carries, at day 5, 13:47.
void prepare(StandInUnit& unit)
{
    unit.setRecord(0xF7, bytesOf({25}));                     // firmware 2.5
    unit.setRecord(0xE1, bytesOf({0x01, 0x04, 0x05}));       // Solar, Load, Battery
    unit.setRecord(0x01, bytesOf({252, 0}));                 // AD1 12.6 V
    unit.setRecord(0x05, bytesOf({0x2E, 0xFB, 0xFF}));       // AD7 unit -1234: 12.3 A
    unit.setRecord(0x19, bytesOf({25}));                     // AD28 25 degrees
    unit.setRecord(0x25, bytesOf({0x02, 0x01}));             // B1 charged, B2 low
    unit.setRecord(0xCE, bytesOf({0x04, 0x00, 0x02, 0x00})); // their alarms 1 and 2
    unit.setRecord(0xDA, bytesOf({0x05, 0x80, 95, 1, 0, 0, 0, 4, 0, 0, 0, 15})); // 0.05 A
}

// The publisher as gorvane-cli publish wires it, in this process.
struct PublishingRun {
    explicit PublishingRun(Publisher::Options options = {})
    {
        items.build(OptionsApply::liveItemSettings(settings));
        reader.setItems({1, 7, 28});
        publisher = std::make_unique<Publisher>(
            reader, client, UnitTopics(QStringLiteral("test/site"), QStringLiteral("unit1")),
            options);
        publisher->setMillisecondsPerSecond(20);
    }

    bool start(const MosquittoBroker& broker)
    {
        QString error;
        return publisher->start({QStringLiteral("127.0.0.1"), broker.port(), {}, {}, {}, 30},
                                error);
    }

    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory(StandInUnit::aliasFolder())};
    Settings settings;
    CLiveItemTable items{StringTable::builtIn()};
    UnitReader reader{link, items, settings};
    MqttClient client;
    std::unique_ptr<Publisher> publisher;
};

QJsonValue at(const QJsonObject& object, const QStringList& path)
{
    QJsonValue value = object;
    for (const QString& key : path)
        value = value[key];
    return value;
}

} // namespace

// Raw replies as the unit sends them, and what the state object and the item's own topic carry:
// the number as the display shows it, or the value where the display shows no number.
TEST(ReadingMessages, EachItemCarriesTheDisplaysValueAsANumberWithItsUnit)
{
    struct Row {
        int item;
        QByteArray reply;
        const char* payload; // empty: no value
        const char* unit;
        const char* text;
    };
    const Row rows[] = {
        {1, bytesOf({252, 0}), "12.6", "Volts", "12.6"},
        {1, bytesOf({0xFF, 0xFF}), "102.3", "Volts", "102.3"},
        {7, bytesOf({0x2E, 0xFB, 0xFF}), "12.3", "Amps", "12.3"},
        {16, bytesOf({0xFF, 0xFF, 0xFF}), "1", "AH", "1.00"},
        {24, bytesOf({0xDD, 0xFF}), "655.01", "Days", "??"},
        {28, bytesOf({0xD8}), "-40", "Deg(C)", "-40.0"},
        {22, bytesOf({87, 0}), "", "% Full", ""},
    };
    CLiveItemTable items(StringTable::builtIn());
    items.build(OptionsApply::liveItemSettings(Settings()));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.item);
        items.acceptReply(row.item, row.reply);
        const QList<int> chosen{row.item};
        const UnitSnapshot said;
        const ReadingMessages reading(items, chosen, said, QDateTime());
        EXPECT_EQ(reading.itemPayload(row.item), QByteArray(row.payload));
        const QJsonObject item =
            reading.state()[QStringLiteral("items")][QStringLiteral("ad%1").arg(row.item)]
                .toObject();
        EXPECT_EQ(item[QStringLiteral("unit")].toString(), QString::fromUtf8(row.unit));
        EXPECT_EQ(item[QStringLiteral("text")].toString(), QString::fromUtf8(row.text));
        EXPECT_EQ(item[QStringLiteral("value")].isNull(), *row.payload == '\0');
        if (*row.payload != '\0') {
            EXPECT_EQ(item[QStringLiteral("value")].toDouble(), QByteArray(row.payload).toDouble());
        }
    }
}

class Publishing : public ::testing::TestWithParam<Transport> {};

TEST_P(Publishing, TheUnitsReadingArrivesRetainedAsTheDisplayDecodesIt)
{
    StandInUnit unit(SessionSettings{}, 5, 13 * 60 + 47);
    prepare(unit);
    MosquittoBroker broker;
    ASSERT_TRUE(broker.start());
    PublishingRun run({60000, true, false});
    run.publisher->setClock(
        [] { return QDateTime(QDate(2026, 3, 14), QTime(13, 47, 25), Qt::OffsetFromUTC, 3600); });
    unit.attach(run.link, GetParam());
    ASSERT_TRUE(run.start(broker));
    TopicRecorder early(broker.port());
    ASSERT_TRUE(early.waitFor(Availability, "online"));

    // Whoever subscribes later still finds it all.
    const QString volts = QStringLiteral("homeassistant/sensor/unit1/ad1/config");
    const QString low = QStringLiteral("homeassistant/binary_sensor/unit1/b2_low/config");
    TopicRecorder late(broker.port());
    ASSERT_TRUE(late.waitForAny(low) && late.waitForAny(State));
    EXPECT_TRUE(late.last(State).retained);
    const struct {
        QString topic;
        QStringList path;
        QJsonValue expected;
    } checks[] = {
        {State, {"items", "ad1", "value"}, 12.6},
        {State, {"items", "ad1", "label"}, "AD1: Battery 1 Volts"},
        {State, {"items", "ad7", "label"}, "AD7: Solar Amps"},
        {State, {"items", "ad28", "unit"}, "Deg(C)"},
        {State, {"status", "b1_charged", "on"}, true},
        {State, {"status", "b2_low", "alarm"}, 2},
        {State, {"unit_time"}, "13:47"},
        {State, {"pc_time"}, "2026-03-14T13:47:25+01:00"},
        {State, {"firmware"}, 2.5},
        {State, {"efficiency", "battery1", "average1", "self_discharge", "value"}, 0.05},
        {volts, {"device_class"}, "voltage"},
        {volts, {"unit_of_measurement"}, "V"},
        {volts, {"state_class"}, "measurement"},
        {volts, {"state_topic"}, "test/site/unit1/ad1"},
        {volts, {"device", "sw_version"}, "2.5"},
        {low, {"state_topic"}, State},
        {low, {"availability_topic"}, Availability},
    };
    for (const auto& check : checks)
        EXPECT_EQ(at(late.json(check.topic), check.path), check.expected)
            << check.topic.toStdString() << ' ' << check.path.join(u'.').toStdString();
    ASSERT_TRUE(late.waitFor(QStringLiteral("test/site/unit1/ad7"), "12.3"));
    EXPECT_EQ(late.last(QStringLiteral("test/site/unit1/ad1")).payload, "12.6");

    QSignalSpy finished(run.publisher.get(), &Publisher::finished);
    run.publisher->stop();
    ASSERT_TRUE(late.waitFor(Availability, "offline"));
    ASSERT_TRUE(finished.count() == 1 || finished.wait(5000));
}

INSTANTIATE_TEST_SUITE_P(Both, Publishing, BothTransports, TransportName);

TEST(Publishing, ALostUnitAndARestartedBrokerGoOfflineAndComeBackOnline)
{
    StandInUnit unit;
    MosquittoBroker broker;
    ASSERT_TRUE(broker.start());
    PublishingRun run({50, false, false});
    unit.attach(run.link, Transport::Tcp);
    QSignalSpy unitLost(run.publisher.get(), &Publisher::unitLost);
    QSignalSpy brokerLost(run.publisher.get(), &Publisher::brokerLost);
    ASSERT_TRUE(run.start(broker));
    TopicRecorder recorder(broker.port());
    ASSERT_TRUE(recorder.waitFor(Availability, "online"));

    unit.addFault(FaultKind::NoReply, QStringLiteral("all"));
    ASSERT_TRUE(recorder.waitFor(Availability, "offline"));
    unit.clearFaults();
    ASSERT_TRUE(recorder.waitFor(Availability, "online"));
    EXPECT_EQ(unitLost.count(), 1);

    broker.stop();
    ASSERT_TRUE(brokerLost.count() == 1 || brokerLost.wait(10000));
    const qsizetype heardBefore = recorder.messages(Availability).size();
    ASSERT_TRUE(broker.start());
    EXPECT_TRUE(recorder.waitUntil([&] {
        return recorder.messages(Availability).size() > heardBefore &&
               recorder.last(Availability).payload == "online";
    }));
    EXPECT_EQ(brokerLost.count(), 1);
}

// What ends the run at once: the command line's usage errors (1, before any broker is tried)
// and a broker that turns the publisher down (2).
TEST(PublishCommand, BadTopicsAndRefusedLoginsOrCertificatesEndTheRun)
{
    StandInUnit unit;
    MosquittoBroker guarded;
    ASSERT_TRUE(
        guarded.start(guarded.loginConfiguration(QStringLiteral("ha"), QStringLiteral("right"))));
    MosquittoBroker secure;
    ASSERT_TRUE(secure.start(secure.tlsConfiguration()));
    const QString stranger = secure.makeCertificate(QStringLiteral("stranger"));
    const QString password = QDir(guarded.folder()).filePath(QStringLiteral("wrong"));
    putFileBytes(password, "wrong\n");

    CliRunner cli;
    cli.words = {{QStringLiteral("@unit"), QStringLiteral("--tcp ") + unit.address()},
                 {QStringLiteral("@plain"), QStringLiteral("--mqtt 127.0.0.1:1")},
                 {QStringLiteral("@guarded"), QStringLiteral("--mqtt ") + guarded.address()},
                 {QStringLiteral("@secure"), QStringLiteral("--mqtt ") + secure.address()},
                 {QStringLiteral("@password"), password},
                 {QStringLiteral("@stranger"), stranger}};
    const struct {
        const char* line;
        int exitCode;
        const char* says;
    } cases[] = {
        {"publish @plain @unit --items AD1 --prefix site/+/x", 1, "wildcard"},
        {"publish @plain @unit --items AD1 --prefix site/#", 1, "wildcard"},
        {"publish @plain @unit --items AD1 --prefix site//x", 1, "empty topic level"},
        {"publish @plain @unit --items AD1 --unit-id a/b", 1, "one topic level"},
        {"publish @unit --items AD1", 1, "--mqtt"},
        {"publish @plain @unit --items AD1 --password-file @password", 1, "--username"},
        {"publish @guarded @unit --items AD1 --once --username ha --password-file @password", 2,
         "refused the login"},
        {"publish @secure @unit --items AD1 --once --tls-ca @stranger", 2, "certificate"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.line);
        EXPECT_EQ(cli.run(QString::fromLatin1(entry.line)), entry.exitCode);
        EXPECT_TRUE(cli.err.contains(QLatin1String(entry.says))) << cli.err.toStdString();
    }
}

// The broker publishes the last will when the publisher dies; a signal ends it cleanly, saying
// "offline" itself.
TEST(PublishCommand, AKilledPublisherLeavesOfflineThroughItsLastWill)
{
    StandInUnit unit;
    unit.setRecord(0x01, bytesOf({252, 0}));
    MosquittoBroker broker;
    ASSERT_TRUE(broker.start());
    TopicRecorder recorder(broker.port());
    const QString availability = QStringLiteral("gorvane/zeltravanic1/availability");
    for (const auto& [signal, exitStatus] :
         {std::pair{SIGKILL, QProcess::CrashExit}, std::pair{SIGTERM, QProcess::NormalExit}}) {
        SCOPED_TRACE(signal);
        QProcess publisher;
        publisher.start(QStringLiteral(GORVANE_CLI),
                        {QStringLiteral("publish"), QStringLiteral("--mqtt"), broker.address(),
                         QStringLiteral("--tcp"), unit.address(), QStringLiteral("--items"),
                         QStringLiteral("AD1")});
        ASSERT_TRUE(recorder.waitFor(availability, "online"));
        ::kill(static_cast<pid_t>(publisher.processId()), signal);
        ASSERT_TRUE(recorder.waitFor(availability, "offline"));
        ASSERT_TRUE(publisher.state() == QProcess::NotRunning || publisher.waitForFinished(10000));
        EXPECT_EQ(publisher.exitStatus(), exitStatus);
        EXPECT_EQ(publisher.readAllStandardError(), QByteArray());
    }
    EXPECT_EQ(recorder.last(QStringLiteral("gorvane/zeltravanic1/ad1")).payload, "12.6");
}
