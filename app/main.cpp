#include "engine/core/log.h"

int main()
{
    Engine::logLine("START ENGINE");
    return 0;
}
