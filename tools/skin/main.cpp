#include <iostream>
#include <string>
#include <vector>

#include "skin_tool.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return vc::RunSkinTool(args, std::cout, std::cerr);
}
