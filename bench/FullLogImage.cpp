#include "bench/FullLogImage.h"

#include "simulator/Scenario.h"
#include "simulator/SimulatedUnit.h"

namespace FullLogImage {

MemoryImage make()
{
    SimulatedUnit unit(0, 0);
    Scenario::apply(QStringLiteral("wrapped"), unit);
    // The efficiency rings hold 224 cycles: run on until they have wrapped.
    unit.fastForward(300);
    return unit.image();
}

} // namespace FullLogImage
