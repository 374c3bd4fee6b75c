// The interface: round image buttons in three faces each (normal, hover,
// pressed) for the menu, the title logo that zooms in (LOGO.BMP) and the
// translucent score panel (PANEL.TGA, drawn through its alpha plane).
#include "art.h"
#include "canvas.h"
#include "files.h"

#include <cmath>
#include <functional>

namespace {
constexpr int kButton = 40;

using Icon = std::function<void(Canvas&, double dy, Rgba ink)>;

Canvas buttonFace(int face, const Icon& icon)
{
    Canvas c(kButton, kButton);
    const double dy = face == 2 ? 1.5 : 0; // pressed: sunk by a pixel or two
    const Rgba rim = face == 1 ? rgb(255, 230, 120) : rgb(200, 210, 240);
    const Rgba body = face == 0 ? rgb(40, 60, 140) : face == 1 ? rgb(70, 100, 200) : rgb(25, 40, 100);
    c.disc(20, 20 + dy, 19, rim);
    c.disc(20, 20 + dy, 16.5, body);
    c.ellipse(20, 13 + dy, 11, 5, rgb(255, 255, 255, face == 2 ? 20 : 50));
    icon(c, dy, face == 1 ? rgb(255, 240, 160) : rgb(235, 240, 255));
    return c;
}

const struct {
    const char* name;
    Icon icon;
} kButtons[] = {
    {"MENU", [](Canvas& c, double dy, Rgba ink) {
         for (int i = -1; i <= 1; ++i)
             c.line(12, 20 + dy + i * 6, 28, 20 + dy + i * 6, 3, ink);
     }},
    {"PLAY", [](Canvas& c, double dy, Rgba ink) {
         for (int i = 0; i < 14; ++i)
             c.line(15 + i, 11 + dy + i * 0.64, 15 + i, 29 + dy - i * 0.64, 1.2, ink);
     }},
    {"SOUND", [](Canvas& c, double dy, Rgba ink) {
         c.rect(11, static_cast<int>(16 + dy), 5, 8, ink);
         for (int i = 0; i < 6; ++i)
             c.line(16 + i, 16 + dy - i, 16 + i, 24 + dy + i, 1.2, ink);
         for (double r : {6.0, 10.0})
             for (int k = -3; k < 3; ++k)
                 c.line(20 + r * std::cos(k * 0.25), 20 + dy + r * std::sin(k * 0.25), 20 + r * std::cos(k * 0.25 + 0.25),
                        20 + dy + r * std::sin(k * 0.25 + 0.25), 1.6, ink);
     }},
    {"ZOOM", [](Canvas& c, double dy, Rgba ink) {
         c.ring(18, 18 + dy, 6, 2.5, ink);
         c.line(22.5, 22.5 + dy, 29, 29 + dy, 3.5, ink);
     }},
    {"QUIT", [](Canvas& c, double dy, Rgba ink) {
         c.line(13, 13 + dy, 27, 27 + dy, 3.5, ink);
         c.line(27, 13 + dy, 13, 27 + dy, 3.5, ink);
     }},
};

// Seven letters of a 5 x 7 pixel font, one string per row.
const char* glyph(char letter)
{
    switch (letter) {
    case 'V': return "10001100011000110001100010101000100";
    case 'A': return "01110100011000111111100011000110001";
    case 'N': return "10001110011010110011100011000110001";
    case 'T': return "11111001000010000100001000010000100";
    case 'R': return "11110100011000111110101001001010001";
    case 'E': return "11111100001000011110100001000011111";
    case 'L': return "10000100001000010000100001000011111";
    default: return "00000000000000000000000000000000000";
    }
}

Canvas logo()
{
    Canvas c(256, 64, rgb(20, 20, 50));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x)
            c.at(x, y) = rgb(20 + y, 20 + y / 2, 60 + y * 2);
    c.rect(0, 0, 256, 3, rgb(255, 210, 90));
    c.rect(0, 61, 256, 3, rgb(255, 210, 90));
    const std::string word = "VANTREL";
    const int cell = 5, left = (256 - static_cast<int>(word.size()) * 6 * cell) / 2 + cell / 2;
    for (size_t i = 0; i < word.size(); ++i) {
        const char* bits = glyph(word[i]);
        for (int gy = 0; gy < 7; ++gy)
            for (int gx = 0; gx < 5; ++gx)
                if (bits[gy * 5 + gx] == '1') {
                    const int x = left + static_cast<int>(i) * 6 * cell + gx * cell, y = 14 + gy * cell;
                    c.rect(x + 1, y + 1, cell, cell, rgb(0, 0, 0, 160));
                    c.rect(x, y, cell, cell, rgb(255, 240 - gy * 14, 120 + gy * 10));
                }
    }
    return c;
}

// Opaque at the left edge, fading out to the right.
Canvas panel()
{
    Canvas c(220, 44);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 220; ++x) {
            const int edge = (y == 0 || y == 43) ? 60 : 0;
            c.at(x, y) = rgb(10 + edge, 20 + edge, 50 + edge, 220 - x);
        }
    return c;
}
} // namespace

bool makeInterface(const std::string& folder)
{
    for (const auto& b : kButtons)
        for (int face = 0; face < 3; ++face) {
            const std::string name = folder + "/" + b.name + "_" + "NHP"[face] + ".tga";
            if (!writeTga(name, buttonFace(face, b.icon)))
                return false;
        }
    return writeBmp(folder + "/LOGO.BMP", logo()) && writeTga(folder + "/PANEL.TGA", panel());
}
