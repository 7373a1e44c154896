#include "app/Startup.h"

int main(int argc, char* argv[]) { return tomira::RunTomira(argc, argv); }
