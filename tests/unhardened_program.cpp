// Built with every hardening option turned off, for the hardening check to reject. It formats into
// a fixed buffer (what fortification would turn into a checked call) and keeps an array on the
// stack (what the stack protector would guard).
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d %s", argc, argc > 1 ? argv[1] : "");
    return static_cast<int>(std::strlen(buffer)) == 0;
}
