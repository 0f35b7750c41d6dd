#include "application.h"

int main(int argc, char** argv) {
    return iFunRunProgram(argc, argv);
}
