#include <iostream>
#include <string>
#include <vector>

#include "binary_output.h"
#include "pack.h"

int main(int argc, char** argv) {
    vc::pack::SetBinaryStdout();
    std::vector<std::string> args(argv + 1, argv + argc);
    return vc::pack::RunPack(args, std::cout, std::cerr);
}
