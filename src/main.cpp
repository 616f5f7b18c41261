#include <cstdio>

int main() {
    std::puts("Vellomardstine: the key library and its window are not built yet.");
    return 0;
}
