// Stands in for nslookup. What it does is set by FAKE_NSLOOKUP:
//   file:PATH  writes the file's bytes to standard output
//   args       writes "argc=N" and one "argI=[...]" line per argument
//   silent     writes nothing and ends
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

int main(int argc, char **argv)
{
    const char *mode = std::getenv("FAKE_NSLOOKUP");
    if (!mode)
        return 2;
    if (std::strncmp(mode, "file:", 5) == 0) {
        std::ifstream in(mode + 5, std::ios::binary);
        std::cout << in.rdbuf();
        return 0;
    }
    if (std::strcmp(mode, "args") == 0) {
        std::cout << "argc=" << argc - 1 << "\n";
        for (int i = 1; i < argc; ++i)
            std::cout << "arg" << i << "=[" << argv[i] << "]\n";
        return 0;
    }
    return 0;
}
