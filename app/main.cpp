// Velbarino: check digits of EAN-13 and EAN-8 barcode numbers.
#include "run.h"

int main(int argc, char** argv) { return velbarino::qt::run(argc, argv); }
