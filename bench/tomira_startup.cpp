// TOMIRA started as the program starts, with the first-paint probe.
#include "StartupProbe.h"
#include "app/Startup.h"

int main(int argc, char* argv[])
{
    return tomira::RunTomira(argc, argv, [](QWidget& window) { new tomira::bench::FirstPaintProbe(window); });
}
