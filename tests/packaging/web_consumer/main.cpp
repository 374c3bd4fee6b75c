// A game's page against the installed package: the whole API from one
// include, its file from the page's data, and a surface drawn into.
#include <vantrel.h>

#include <cstdio>

int main()
{
    std::FILE* file = std::fopen("data/README.TXT", "rb");
    if (!file) {
        std::printf("web consumer: data/README.TXT is missing\n");
        return 1;
    }
    char text[64] = {};
    const size_t length = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);

    BITPLANEFX surface{};
    surface.bitsPerPixel = 16;
    surface.bytesPerPixel = 2;
    if (!surface.create(10, 5, false) || surface.pitch != 24) {
        std::printf("web consumer: no surface\n");
        return 2;
    }
    surface.release();
    std::printf("web consumer: ok, read %zu bytes\n", length);
    return 0;
}
