#pragma once
// Readers report refused input on the console; a fuzz run would spend its time printing those
// lines, so the targets send standard output to /dev/null (libFuzzer reports on standard error).
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!std::freopen("/dev/null", "w", stdout))
        std::perror("fuzz: cannot silence standard output");
    return 0;
}
