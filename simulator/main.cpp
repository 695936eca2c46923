#include "resources/SignalWatcher.h"
#include "simulator/SimulatorOptions.h"
#include "simulator/UnitSimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zeltravanic-sim"));

    SimulatorOptions options;
    QString text;
    switch (SimulatorOptions::parse(QCoreApplication::arguments(), options, text)) {
    case SimulatorOptions::Outcome::Help:
        print(stdout, text);
        return 0;
    case SimulatorOptions::Outcome::Error:
        print(stderr, text);
        return 2;
    case SimulatorOptions::Outcome::Run:
        break;
    }

    QElapsedTimer since;
    since.start();
    UnitSimulator simulator(options, [&since](const QString& line) {
        print(stderr, QStringLiteral("[%1] %2").arg(since.elapsed() / 1000.0, 8, 'f', 3).arg(line));
    });
    // Signals first: a test may stop the simulator as soon as it has read the path.
    SignalWatcher signals_;
    QObject::connect(&signals_, &SignalWatcher::terminationRequested, &app,
                     &QCoreApplication::quit);
    QObject::connect(&simulator, &UnitSimulator::timeIsUp, &app, &QCoreApplication::quit);

    QString error;
    if (!simulator.start(&error)) {
        print(stderr, error);
        return 1;
    }
    for (const QString& line : simulator.announcement())
        print(stdout, line);
    const int result = options.noListen ? 0 : QCoreApplication::exec();
    if (!simulator.stop(&error)) {
        print(stderr, error);
        return 1;
    }
    return result;
}
