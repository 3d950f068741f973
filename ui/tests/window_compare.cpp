// The comparer of a window with its model as a filter, for the page's tests,
// whose browsers read the window: each line in is {"read": ..., "model": ...},
// each line out the first difference, or an empty line where they agree.
#include <iostream>
#include <string>

#include "scenarios.h"

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        const nlohmann::json pair = nlohmann::json::parse(line);  // what is not a reading ends it
        std::cout << velbarino::scenarios::windowDifference(pair.at("read"), pair.at("model")) << std::endl;
    }
}
