// The 40-pixel balls as players with each kind of colour vision see them.
//
// A ball's colour is the mean, in linear light, of the pixels of its disc.
// The three common dichromacies are simulated at full severity with the
// matrices of Machado, Oliveira and Fernandes (2009), and colours are
// compared by CIEDE2000: under a distance of about 10, two colours read
// as one at a glance.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{

struct Colour {
    double r, g, b; // linear light, 0..1
};

double Linear(int channel)
{
    double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Encoded(double c)
{
    return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

// The sheet's six ball pictures: blue, green, red, then the same
// highlighted; nothing when the file is not the 160 x 80 sheet of 8 bits
// per pixel. The disc is the generator's: radius 18.6 about the middle.
std::vector<Colour> BallMeans()
{
    std::ifstream file(GLOMB_BALLS40, std::ios::binary);
    std::vector<std::uint8_t> bmp{std::istreambuf_iterator<char>(file), {}};
    auto at32 = [&](int i) {
        return bmp[i] | bmp[i + 1] << 8 | bmp[i + 2] << 16 | bmp[i + 3] << 24;
    };
    if (bmp.size() != 54u + 256 * 4 + 160 * 80 || at32(18) != 160 || at32(22) != 80 || bmp[28] != 8)
        return {};
    const std::uint8_t *palette = &bmp[54], *rows = &bmp[at32(10)];

    std::vector<Colour> means;
    for (int row = 0; row < 2; row++)
        for (int column = 1; column < 4; column++) {
            Colour sum = {0, 0, 0};
            int count = 0;
            for (int y = 0; y < 40; y++)
                for (int x = 0; x < 40; x++) {
                    double dx = x + 0.5 - 20, dy = y + 0.5 - 20;
                    if (dx * dx + dy * dy > 18.6 * 18.6)
                        continue;
                    int top = row * 40 + y; // rows are stored bottom-up
                    const std::uint8_t *bgr =
                        palette + 4 * rows[(79 - top) * 160 + column * 40 + x];
                    sum = {sum.r + Linear(bgr[2]), sum.g + Linear(bgr[1]), sum.b + Linear(bgr[0])};
                    count++;
                }
            means.push_back({sum.r / count, sum.g / count, sum.b / count});
        }
    return means;
}

const std::vector<Colour> &Means()
{
    static const std::vector<Colour> means = BallMeans();
    return means;
}

enum View { Normal, Protanopia, Deuteranopia, Tritanopia };
const char *const ViewNames[] = {"normal vision", "protanopia", "deuteranopia", "tritanopia"};

Colour Simulate(Colour c, View view)
{
    static const double m[4][9] = {
        {1, 0, 0, 0, 1, 0, 0, 0, 1},
        {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116,
         1.051998},
        {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940,
         0.968881},
        {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367,
         0.303900},
    };
    const double *k = m[view];
    auto unit = [](double v) { return std::clamp(v, 0.0, 1.0); };
    return {unit(k[0] * c.r + k[1] * c.g + k[2] * c.b), unit(k[3] * c.r + k[4] * c.g + k[5] * c.b),
            unit(k[6] * c.r + k[7] * c.g + k[8] * c.b)};
}

struct Lab {
    double l, a, b;
};

// CIE L*a*b* under D65, through CIE XYZ.
Lab ToLab(Colour c)
{
    double x = (0.4124564 * c.r + 0.3575761 * c.g + 0.1804375 * c.b) / 0.95047;
    double y = 0.2126729 * c.r + 0.7151522 * c.g + 0.0721750 * c.b;
    double z = (0.0193339 * c.r + 0.1191920 * c.g + 0.9503041 * c.b) / 1.08883;
    auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// CIEDE2000, as Sharma, Wu and Dalal (2005) spell it out.
double DeltaE(Lab p, Lab q)
{
    const double degree = 3.14159265358979323846 / 180;
    auto pow7 = [](double v) { return v * v * v * v * v * v * v; };
    auto hueAngle = [&](double b, double a) {
        double h = a == 0 && b == 0 ? 0 : std::atan2(b, a) / degree;
        return h < 0 ? h + 360 : h;
    };
    double meanC = (std::hypot(p.a, p.b) + std::hypot(q.a, q.b)) / 2;
    double g = 0.5 * (1 - std::sqrt(pow7(meanC) / (pow7(meanC) + pow7(25))));
    double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
    double c1 = std::hypot(a1, p.b), c2 = std::hypot(a2, q.b);
    double h1 = hueAngle(p.b, a1), h2 = hueAngle(q.b, a2);
    double dh = c1 * c2 == 0 ? 0 : h2 - h1;
    dh += dh > 180 ? -360 : dh < -180 ? 360 : 0;
    double dL = q.l - p.l, dC = c2 - c1, dH = 2 * std::sqrt(c1 * c2) * std::sin(dh / 2 * degree);

    double l = (p.l + q.l) / 2, c = (c1 + c2) / 2, h = h1 + h2;
    if (c1 * c2 != 0)
        h = std::fabs(h1 - h2) <= 180 ? h / 2 : h < 360 ? (h + 360) / 2 : (h - 360) / 2;
    double t = 1 - 0.17 * std::cos((h - 30) * degree) + 0.24 * std::cos(2 * h * degree) +
               0.32 * std::cos((3 * h + 6) * degree) - 0.20 * std::cos((4 * h - 63) * degree);
    double sL = 1 + 0.015 * (l - 50) * (l - 50) / std::sqrt(20 + (l - 50) * (l - 50));
    double sC = 1 + 0.045 * c, sH = 1 + 0.015 * c * t;
    double rotation = -2 * std::sqrt(pow7(c) / (pow7(c) + pow7(25))) *
                      std::sin(60 * std::exp(-std::pow((h - 275) / 25, 2)) * degree);
    return std::sqrt((dL / sL) * (dL / sL) + (dC / sC) * (dC / sC) + (dH / sH) * (dH / sH) +
                     rotation * (dC / sC) * (dH / sH));
}

// Distance between balls i and j (0..2 plain, 3..5 highlighted) in a view.
struct Distances {
    double d[6][6];
};

Distances Measure(View view)
{
    Distances all;
    for (int i = 0; i < 6; i++)
        for (int j = 0; j < 6; j++)
            all.d[i][j] =
                DeltaE(ToLab(Simulate(Means()[i], view)), ToLab(Simulate(Means()[j], view)));
    return all;
}

double Closest(const double (&d)[6][6], int first)
{
    return std::min({d[first][first + 1], d[first][first + 2], d[first + 1][first + 2]});
}

double ClosestToOwnHighlight(const double (&d)[6][6])
{
    return std::min({d[0][3], d[1][4], d[2][5]});
}

TEST(BallColours, AllPairsStayApartInEveryKindOfVision)
{
    ASSERT_EQ(Means().size(), 6u) << GLOMB_BALLS40 << " is not the 40-pixel sprite sheet";
    std::printf("%-14s %10s %9s %9s %18s %14s\n", "view", "blue-green", "blue-red", "green-red",
                "highlighted, min", "own highlight");
    for (int v = 0; v < 4; v++) {
        const double(&d)[6][6] = Measure(View(v)).d;
        std::printf("%-14s %10.1f %9.1f %9.1f %18.1f %14.1f\n", ViewNames[v], d[0][1], d[0][2],
                    d[1][2], Closest(d, 3), ClosestToOwnHighlight(d));
        EXPECT_GE(Closest(d, 0), 30) << "two balls look alike in " << ViewNames[v];
        EXPECT_GE(Closest(d, 3), 15) << "two highlighted balls look alike in " << ViewNames[v];
    }
}

TEST(BallColours, TheHighlightedGroupStandsOutInEveryKindOfVision)
{
    ASSERT_EQ(Means().size(), 6u);
    for (int v = 0; v < 4; v++)
        EXPECT_GE(ClosestToOwnHighlight(Measure(View(v)).d), 10)
            << "a highlighted ball hardly differs from its plain one in " << ViewNames[v];
}

// The hue of HSV, in degrees, of a colour as the screen shows it.
double Hue(Colour c)
{
    double r = Encoded(c.r), g = Encoded(c.g), b = Encoded(c.b);
    double high = std::max({r, g, b}), range = high - std::min({r, g, b});
    if (range == 0)
        return 0;
    double h = high == r ? (g - b) / range : high == g ? 2 + (b - r) / range : 4 + (r - g) / range;
    return h < 0 ? 60 * h + 360 : 60 * h;
}

TEST(BallColours, NormalVisionSeesBlueGreenAndRedAlsoWhenHighlighted)
{
    ASSERT_EQ(Means().size(), 6u);
    const struct {
        const char *name;
        double from, to; // red's range wraps through 0
    } hues[] = {{"blue", 195, 255}, {"green", 80, 165}, {"red", 345, 375}};
    for (int ball = 0; ball < 6; ball++) {
        double hue = Hue(Means()[ball]);
        hue += hue < hues[ball % 3].from ? 360 : 0;
        EXPECT_LE(hue, hues[ball % 3].to) << "the " << (ball < 3 ? "" : "highlighted ")
                                          << hues[ball % 3].name << " ball is of hue " << hue;
    }
}

} // namespace
