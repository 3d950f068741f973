// The program behind main(), kept free of Qt headers so that main.cpp is too.
#pragma once

namespace velbarino::qt {
int run(int argc, char** argv);
}
