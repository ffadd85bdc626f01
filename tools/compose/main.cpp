// korvel-compose: writes the show's music (without its script) as an XM module.
#include <cstdio>

#include "compose/compose.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvel-compose OUT.xm\n");
        return 2;
    }
    std::string why;
    if (!xm_write_file(argv[1], xm_build(compose_show_song()), &why)) {
        std::fprintf(stderr, "korvel-compose: %s\n", why.c_str());
        return 1;
    }
    return 0;
}
