#include "app/CGorvaneApp.h"

int main(int argc, char** argv)
{
    CGorvaneApp app(argc, argv);
    return app.InitInstance();
}
