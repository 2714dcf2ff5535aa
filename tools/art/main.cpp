// vellumcast-art: writes the toolbar image strips, the program icon and a
// preview of both.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "art.h"

int main(int argc, char** argv) {
    try {
        return vc::art::RunArt(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "vellumcast-art: " << e.what() << "\n";
        return 1;
    }
}
