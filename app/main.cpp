#include "app/CGorvaneApp.h"
#include "resources/SignalWatcher.h"

int main(int argc, char** argv)
{
    SignalWatcher::ignoreFileSizeLimitSignal();
    CGorvaneApp app(argc, argv);
    return app.InitInstance();
}
