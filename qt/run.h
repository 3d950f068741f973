// The program behind main(), kept free of Qt headers so that main.cpp is too.
#pragma once

namespace velbarino::qt {
/// The program: returns its exit status. Refuses, with a message, to start where there is no display.
int run(int argc, char** argv);
}  // namespace velbarino::qt
