// Draws Glomb's pictures and writes them in the formats the resource
// compiler takes:
//
//   balls40.bmp  160 x 80, 8 bits: shaded balls for 40-pixel cells
//   balls32.bmp  128 x 64, 4 bits: flat discs for 32-pixel cells
//   hand.cur     32 x 32 monochrome pointing hand, hotspot (12, 5)
//   glomb.ico    32 x 32 and 16 x 16, 16 colours: three discs
//   glomb-32.png, glomb-16.png  the same icon for Linux desktops
//   glomb-48.png ... glomb-256.png  the icon smoothly shaded, for large sizes
//
// Usage: artgen OUTPUT_DIR
//
// The output must be the same on every machine, because the files are
// kept in the repository and a test regenerates them to compare. So the
// drawing uses only + - * / and sqrt, which IEEE arithmetic rounds the
// same way everywhere, and no library function whose last bit may vary.

#include <cstdint>
#include <cstdio>
#include <cmath>
#include <string>
#include <vector>

typedef std::vector<std::uint8_t> Bytes;

struct Rgb {
    double r, g, b;
};

// Sprite sheets: 4 columns (empty, blue, green, red) by 2 rows (normal,
// highlighted).
static const int SheetColumns = 4;
static const int SheetRows = 2;

// The standard 16-colour palette, in its usual order.
static const std::uint8_t Vga[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};
// The entries that the pictures use.
enum {
    VgaBlack = 0,
    VgaMaroon = 1,
    VgaGreenDark = 2,
    VgaNavy = 4,
    VgaRed = 9,
    VgaGreen = 10,
    VgaBlue = 12,
    VgaWhite = 15
};

// ---------------------------------------------------------------------
// Writing little-endian files

static void Put16(Bytes &out, unsigned value)
{
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

static void Put32(Bytes &out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// The 40-byte header of a device-independent bitmap. A picture inside an
// icon or cursor gives twice its height: the colour rows and the mask.
static void PutInfoHeader(Bytes &out, int width, int height, int bits, int colours)
{
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0); // BI_RGB, uncompressed
    Put32(out, 0); // image size: may be 0 when uncompressed
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, colours);
    Put32(out, 0);
}

static void PutPaletteEntry(Bytes &out, int r, int g, int b)
{
    out.push_back(b);
    out.push_back(g);
    out.push_back(r);
    out.push_back(0);
}

static void PutVgaPalette(Bytes &out)
{
    for (const std::uint8_t *c : Vga)
        PutPaletteEntry(out, c[0], c[1], c[2]);
}

// Rows are stored bottom-up, each padded to a multiple of 4 bytes.
// Pixels are palette indices (bits = 8 or 4) or mask bits (bits = 1).
static void PutRows(Bytes &out, const std::vector<int> &pixels, int width, int height, int bits)
{
    int stride = (width * bits + 31) / 32 * 4;
    for (int y = height - 1; y >= 0; y--) {
        Bytes row(stride, 0);
        for (int x = 0; x < width; x++) {
            int v = pixels[y * width + x];
            int bit = x * bits;
            row[bit / 8] |= v << (8 - bits - bit % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

// A bitmap file: the 14-byte file header in front of the DIB.
static Bytes MakeBitmapFile(const Bytes &dib, int paletteBytes)
{
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + dib.size());
    Put32(out, 0);
    Put32(out, 14 + 40 + paletteBytes);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

static bool SaveFile(const std::string &path, const Bytes &data)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

// ---------------------------------------------------------------------
// Shaded balls, 40-pixel cells, 8 bits per pixel
//
// A ball of one hue is drawn by one number per pixel, its "tone" from 0
// (black) through FullTone (the pure hue, fully lit) to 2 (white, the
// centre of the gleam). Each of the six balls (three colours, normal and
// highlighted) gets a ramp of palette entries along that scale, so the
// 256 entries suffice and the shading still looks continuous.

static const int RampLength = 42;   // 1 + 6 * 42 = 253 entries in use
static const double FullTone = 1.3; // where the ramp reaches the pure hue

// The balls differ in lightness as well as in hue, so that a player who
// confuses red with green, or blue with green, still tells all three
// apart: green the lightest, blue between, red the deepest. Lift sets how
// light the side away from the light stays: 2 keeps it bright, 1 darkens
// it in step with the light, less than 1 sinks it into a deep shadow.
struct BallPaint {
    Rgb colour;
    double lift;
};

static const BallPaint Balls[3] = {
    {{40, 80, 237}, 1.5}, // blue
    {{60, 245, 40}, 2.0}, // green
    {{207, 15, 12}, 0.5}, // red
};

// Highlighted balls: pulled most of the way toward a light grey, so that
// the group under the pointer looks paler and washed out. Each ball has a
// grey of its own lightness: a grey shared by all would bring the three
// together, and for many players lightness is what tells them apart.
static BallPaint Highlighted(BallPaint ball)
{
    const double keep = 0.3, pale = 0.6;
    const Rgb &c = ball.colour;
    double grey = (0.299 * c.r + 0.587 * c.g + 0.114 * c.b) * (1 - pale) + 255 * pale;
    Rgb washed = {grey + (c.r - grey) * keep, grey + (c.g - grey) * keep,
                  grey + (c.b - grey) * keep};
    return {washed, ball.lift};
}

static double Clamp(double v, double lo, double hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

static int Channel(double v)
{
    return (int)(Clamp(v, 0, 255) + 0.5);
}

// Tone in [0, 2] to colour: dark to the full hue, then on to white.
static Rgb ToneColour(BallPaint ball, double tone)
{
    const Rgb &hue = ball.colour;
    if (tone <= FullTone) {
        double u = tone / FullTone;
        double k = u * (ball.lift + (1 - ball.lift) * u);
        return {hue.r * k, hue.g * k, hue.b * k};
    }
    double u = (tone - FullTone) / (2 - FullTone);
    u = u * u * (3 - 2 * u); // a soft shoulder into the white
    return {hue.r + (255 - hue.r) * u, hue.g + (255 - hue.g) * u, hue.b + (255 - hue.b) * u};
}

// x to the power n for a whole n, by squaring.
static double Power(double x, int n)
{
    double result = 1;
    while (n > 0) {
        if (n & 1)
            result *= x;
        x *= x;
        n >>= 1;
    }
    return result;
}

static double Dot(const double *a, const double *b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

static void Normalise(double *v)
{
    double length = std::sqrt(Dot(v, v));
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

// The tone of one point of a ball of radius 1 seen from the front, with x
// to the right and y down; 0 outside the ball. The light comes from the
// upper left and in front; a faint second light from the lower right
// gives the rim a reflection, as on a glossy ball standing on a table.
static double BallTone(double x, double y)
{
    double r2 = x * x + y * y;
    if (r2 >= 1)
        return 0;
    double n[3] = {x, y, std::sqrt(1 - r2)};
    double light[3] = {-0.5, -0.62, 0.6};
    double bounce[3] = {0.55, 0.75, 0.25};
    double half[3] = {light[0], light[1], light[2]};
    Normalise(light);
    Normalise(bounce);
    half[2] += std::sqrt(Dot(half, half)); // halfway between light and eye
    Normalise(half);

    double diffuse = Clamp(Dot(n, light), 0, 1);
    double rim = Clamp(Dot(n, bounce), 0, 1);
    double gloss = Clamp(Dot(n, half), 0, 1);
    double tone = 0.16 + 1.12 * diffuse + 0.32 * rim * rim * rim;
    tone = Clamp(tone, 0, FullTone);
    tone += 0.9 * Power(gloss, 64) + 0.22 * Power(gloss, 8);
    return Clamp(tone, 0, 2);
}

// The average tone over a pixel, from 6 x 6 samples, for smooth edges
// against the black ground. Averaging tones rather than colours is near
// enough: at the edge every tone lies on the dark part of the ramp, where
// colour grows almost in step with tone.
static double PixelTone(int px, int py, double centre, double radius)
{
    const int n = 6;
    double sum = 0;
    for (int sy = 0; sy < n; sy++)
        for (int sx = 0; sx < n; sx++) {
            double x = px + (sx + 0.5) / n - centre;
            double y = py + (sy + 0.5) / n - centre;
            sum += BallTone(x / radius, y / radius);
        }
    return sum / (n * n);
}

// Palette entry of tone t on ramp k (0..5); entry 0 is black.
static int RampEntry(int ramp, double tone)
{
    int step = (int)(tone / 2 * (RampLength - 1) + 0.5);
    return step == 0 ? 0 : 1 + ramp * RampLength + step;
}

static Bytes MakeBalls40()
{
    const int cell = 40, width = cell * SheetColumns, height = cell * SheetRows;
    const double centre = 20, radius = 18.6;

    Bytes dib;
    PutInfoHeader(dib, width, height, 8, 256);
    PutPaletteEntry(dib, 0, 0, 0);
    for (int ramp = 0; ramp < 6; ramp++) {
        BallPaint ball = Balls[ramp % 3];
        if (ramp >= 3)
            ball = Highlighted(ball);
        for (int step = 0; step < RampLength; step++) {
            Rgb c = ToneColour(ball, 2.0 * step / (RampLength - 1));
            PutPaletteEntry(dib, Channel(c.r), Channel(c.g), Channel(c.b));
        }
    }
    for (int unused = 1 + 6 * RampLength; unused < 256; unused++)
        PutPaletteEntry(dib, 0, 0, 0);

    // Every ball has the same shape: work out the tones once.
    std::vector<double> tones(cell * cell);
    for (int y = 0; y < cell; y++)
        for (int x = 0; x < cell; x++)
            tones[y * cell + x] = PixelTone(x, y, centre, radius);

    std::vector<int> pixels(width * height, 0);
    for (int row = 0; row < SheetRows; row++)
        for (int colour = 1; colour < SheetColumns; colour++)
            for (int y = 0; y < cell; y++)
                for (int x = 0; x < cell; x++) {
                    int ramp = row * 3 + colour - 1;
                    int entry = RampEntry(ramp, tones[y * cell + x]);
                    pixels[(row * cell + y) * width + colour * cell + x] = entry;
                }
    PutRows(dib, pixels, width, height, 8);
    return MakeBitmapFile(dib, 256 * 4);
}

// ---------------------------------------------------------------------
// Flat discs, 32-pixel cells, 4 bits per pixel

// Whether pixel (x, y) of a square of side size lies in the disc that
// fills the square but for a margin of the given width.
static bool InDisc(int x, int y, int size, double margin)
{
    double c = size / 2.0, r = c - margin;
    double dx = x + 0.5 - c, dy = y + 0.5 - c;
    return dx * dx + dy * dy <= r * r;
}

static Bytes MakeBalls32()
{
    const int cell = 32, width = cell * SheetColumns, height = cell * SheetRows;
    const int discColours[SheetColumns] = {VgaBlack, VgaBlue, VgaGreen, VgaRed};

    std::vector<int> pixels(width * height, VgaBlack);
    for (int row = 0; row < SheetRows; row++)
        for (int colour = 1; colour < SheetColumns; colour++)
            for (int y = 0; y < cell; y++)
                for (int x = 0; x < cell; x++) {
                    bool cross = row == 1 && (x == y || x == cell - 1 - y);
                    if (InDisc(x, y, cell, 1) && !cross)
                        pixels[(row * cell + y) * width + colour * cell + x] = discColours[colour];
                }

    Bytes dib;
    PutInfoHeader(dib, width, height, 4, 16);
    PutVgaPalette(dib);
    PutRows(dib, pixels, width, height, 4);
    return MakeBitmapFile(dib, 16 * 4);
}

// ---------------------------------------------------------------------
// The hand cursor: a monochrome image and its transparency mask.
//
// The hand is the union of round-ended strokes: the raised index finger,
// the three curled fingers beside it, the thumb and the palm. Its edge
// is drawn black, the inside white, and short black lines part the curled
// fingers from each other.

struct Stroke {
    double x0, y0, x1, y1, radius;
};

static const Stroke HandStrokes[] = {
    {12, 7.2, 12, 20, 2.45},     // index finger, tip at (12, 5)
    {16, 13.2, 16, 21, 2.45},    // middle finger, curled
    {20, 14.2, 20, 21, 2.45},    // ring finger
    {23.8, 15.6, 23.8, 21, 2.2}, // little finger
    {6.6, 17.4, 11, 22.5, 2.4},  // thumb, out to the left
    {12, 20, 21.5, 20, 3.6},     // palm, upper half
    {13, 23.5, 20.5, 23.5, 3.6}, // palm, lower half
    {14.2, 26, 19.8, 26, 2.6},   // heel of the hand
};

static double SegmentDistance2(const Stroke &s, double x, double y)
{
    double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
    double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : Clamp(((x - s.x0) * dx + (y - s.y0) * dy) / length2, 0, 1);
    double ex = s.x0 + t * dx - x, ey = s.y0 + t * dy - y;
    return ex * ex + ey * ey;
}

static bool InHand(int x, int y)
{
    if (x < 0 || y < 0 || x >= 32 || y >= 32)
        return false;
    for (const Stroke &s : HandStrokes)
        if (SegmentDistance2(s, x, y) <= s.radius * s.radius)
            return true;
    return false;
}

// Lines between the curled fingers, from their tops part way down.
static bool OnFingerParting(int x, int y)
{
    return (x == 14 && y >= 12 && y <= 16) || (x == 18 && y >= 13 && y <= 17) ||
           (x == 22 && y >= 14 && y <= 17);
}

enum { Clear, Black, White };

static std::vector<int> DrawHand()
{
    std::vector<int> hand(32 * 32, Clear);
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 32; x++) {
            if (!InHand(x, y))
                continue;
            bool edge =
                !InHand(x - 1, y) || !InHand(x + 1, y) || !InHand(x, y - 1) || !InHand(x, y + 1);
            hand[y * 32 + x] = edge || OnFingerParting(x, y) ? Black : White;
        }
    return hand;
}

// An icon or cursor directory with one entry per image; each image a DIB
// of double height (colour rows, then the AND mask), here with a palette.
struct Image {
    int size, bits, colours;
    std::vector<int> pixels; // palette indices
    std::vector<int> mask;   // 1 where transparent
    int hotX, hotY;          // cursors only
};

static Bytes MakeIconFile(const std::vector<Image> &images, bool cursor)
{
    std::vector<Bytes> bodies;
    for (const Image &im : images) {
        Bytes body;
        PutInfoHeader(body, im.size, im.size * 2, im.bits, im.colours);
        if (im.colours == 2) {
            PutPaletteEntry(body, 0, 0, 0);
            PutPaletteEntry(body, 255, 255, 255);
        } else {
            PutVgaPalette(body);
        }
        PutRows(body, im.pixels, im.size, im.size, im.bits);
        PutRows(body, im.mask, im.size, im.size, 1);
        bodies.push_back(body);
    }

    Bytes out;
    Put16(out, 0);
    Put16(out, cursor ? 2 : 1);
    Put16(out, images.size());
    std::uint32_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); i++) {
        const Image &im = images[i];
        out.push_back(im.size);
        out.push_back(im.size);
        out.push_back(im.colours == 16 ? 16 : 0);
        out.push_back(0);
        Put16(out, cursor ? im.hotX : 1);       // icons: colour planes
        Put16(out, cursor ? im.hotY : im.bits); // icons: bits per pixel
        Put32(out, bodies[i].size());
        Put32(out, offset);
        offset += bodies[i].size();
    }
    for (const Bytes &body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

static Bytes MakeHandCursor()
{
    std::vector<int> hand = DrawHand();
    Image im{32, 1, 2, std::vector<int>(32 * 32), std::vector<int>(32 * 32), 12, 5};
    for (int i = 0; i < 32 * 32; i++) {
        im.pixels[i] = hand[i] == White;
        im.mask[i] = hand[i] == Clear;
    }
    return MakeIconFile({im}, true);
}

// ---------------------------------------------------------------------
// The icon: blue disc top left, green top right, red below between them,
// each with a darker rim at the lower right and a gleam at the upper left.

struct Disc {
    double x, y; // centre, on pixel corners so that the disc is symmetric
    int colour, shade;
};

// Each layout's discs are as wide as possible without touching (32 x 32)
// or just touching (16 x 16), and with round outlines: radii 7 and 4 put
// no lone pixel on top of a disc.
static const Disc IconDiscs32[] = {
    {8, 9, VgaBlue, VgaNavy},
    {24, 9, VgaGreen, VgaGreenDark},
    {16, 24, VgaRed, VgaMaroon},
};
static const Disc IconDiscs16[] = {
    {4, 4, VgaBlue, VgaNavy},
    {12, 4, VgaGreen, VgaGreenDark},
    {8, 12, VgaRed, VgaMaroon},
};

static Image DrawIcon(int size)
{
    const Disc *discs = size == 32 ? IconDiscs32 : IconDiscs16;
    const double radius = size == 32 ? 7 : 4;
    Image im{size, 4, 16, std::vector<int>(size * size, VgaBlack), std::vector<int>(size * size, 1),
             0,    0};
    for (int i = 0; i < 3; i++) {
        const Disc &d = discs[i];
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++) {
                double dx = x + 0.5 - d.x, dy = y + 0.5 - d.y;
                if (dx * dx + dy * dy > radius * radius)
                    continue;
                // Lit from the upper left: what a copy of the disc moved
                // toward the light does not cover is the shadow, and a
                // small spot near the top left is the gleam.
                double sx = dx + 0.2 * radius, sy = dy + 0.2 * radius;
                double gx = dx + 0.4 * radius, gy = dy + 0.4 * radius;
                int c = d.colour;
                if (sx * sx + sy * sy > radius * radius)
                    c = d.shade;
                else if (gx * gx + gy * gy < 0.06 * radius * radius)
                    c = VgaWhite;
                im.pixels[y * size + x] = c;
                im.mask[y * size + x] = 0;
            }
    }
    return im;
}

static Bytes MakeIcon()
{
    return MakeIconFile({DrawIcon(32), DrawIcon(16)}, false);
}

// ---------------------------------------------------------------------
// The icon as PNG, which Linux desktops take: 8-bit RGBA, the deflate
// stream in stored (uncompressed) blocks, so that no compressor's choices
// can change the bytes.

static void Put32Big(Bytes &out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((value >> shift) & 0xFF);
}

static std::uint32_t Crc32(const Bytes &data, size_t from)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (size_t i = from; i < data.size(); i++) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; bit++)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

static void PutChunk(Bytes &out, const char *type, const Bytes &data)
{
    Put32Big(out, data.size());
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32Big(out, Crc32(out, start));
}

// A zlib stream of stored blocks of at most 65535 bytes each.
static Bytes StoreZlib(const Bytes &raw)
{
    Bytes out = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t length = raw.size() - at < 65535 ? raw.size() - at : 65535;
        out.push_back(at + length == raw.size()); // last block?
        Put16(out, length);
        Put16(out, ~length & 0xFFFF);
        out.insert(out.end(), raw.begin() + at, raw.begin() + at + length);
        at += length;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32Big(out, b << 16 | a);
    return out;
}

// An 8-bit RGBA picture, rows top-down, as a PNG file.
static Bytes MakePng(int size, const Bytes &rgba)
{
    Bytes header, raw;
    Put32Big(header, size);
    Put32Big(header, size);
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, no interlace
    for (int y = 0; y < size; y++) {
        raw.push_back(0); // no filter
        raw.insert(raw.end(), rgba.begin() + y * size * 4, rgba.begin() + (y + 1) * size * 4);
    }
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", StoreZlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

// The 16 and 32 pixel icons pixel for pixel as in glomb.ico.
static Bytes MakeIconPng(int size)
{
    Image im = DrawIcon(size);
    Bytes rgba;
    for (int i = 0; i < size * size; i++) {
        const std::uint8_t *c = Vga[im.pixels[i]];
        rgba.insert(rgba.end(), {c[0], c[1], c[2]});
        rgba.push_back(im.mask[i] ? 0 : 255);
    }
    return MakePng(size, rgba);
}

// ---------------------------------------------------------------------
// The icon at 48 pixels and more, for menus and software centres: the
// three discs of the 32-pixel layout scaled up, in the same colours, but
// shaded smoothly from the dark rim to a white gleam and with soft edges.

static Rgb VgaColour(int index)
{
    return {(double)Vga[index][0], (double)Vga[index][1], (double)Vga[index][2]};
}

static Rgb Mix(Rgb from, Rgb to, double k)
{
    return {from.r + (to.r - from.r) * k, from.g + (to.g - from.g) * k,
            from.b + (to.b - from.b) * k};
}

// The colour at (x, y) of a disc of radius 1 (x to the right, y down,
// x * x + y * y < 1), seen as a ball lit from the upper left.
static Rgb ShadedDiscColour(const Disc &d, double x, double y)
{
    double n[3] = {x, y, std::sqrt(1 - x * x - y * y)};
    double light[3] = {-0.45, -0.55, 0.7};
    Normalise(light);
    double half[3] = {light[0], light[1], light[2] + 1}; // halfway to the eye
    Normalise(half);
    double lit = Clamp(Dot(n, light), 0, 1);
    Rgb c = Mix(VgaColour(d.shade), VgaColour(d.colour), lit * (2 - lit));
    double gleam = Power(Clamp(Dot(n, half), 0, 1), 48);
    return Mix(c, VgaColour(VgaWhite), 0.9 * gleam);
}

static Bytes MakeLargeIconPng(int size)
{
    const int n = 4; // n x n samples a pixel
    const double scale = size / 32.0, radius = 7 * scale;
    Bytes rgba;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            Rgb sum = {0, 0, 0};
            int covered = 0;
            for (int s = 0; s < n * n; s++) {
                double px = x + (s % n + 0.5) / n, py = y + (s / n + 0.5) / n;
                for (const Disc &d : IconDiscs32) {
                    double dx = (px - d.x * scale) / radius, dy = (py - d.y * scale) / radius;
                    if (dx * dx + dy * dy >= 1)
                        continue;
                    Rgb c = ShadedDiscColour(d, dx, dy);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    covered++;
                    break;
                }
            }
            // Edge pixels keep the discs' own colour and fade by coverage.
            double k = covered ? 1.0 / covered : 0;
            rgba.insert(rgba.end(),
                        {(std::uint8_t)Channel(sum.r * k), (std::uint8_t)Channel(sum.g * k),
                         (std::uint8_t)Channel(sum.b * k),
                         (std::uint8_t)Channel(255.0 * covered / (n * n))});
        }
    return MakePng(size, rgba);
}

// ---------------------------------------------------------------------

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    struct {
        const char *name;
        Bytes data;
    } files[] = {
        {"balls40.bmp", MakeBalls40()},    {"balls32.bmp", MakeBalls32()},
        {"hand.cur", MakeHandCursor()},    {"glomb.ico", MakeIcon()},
        {"glomb-32.png", MakeIconPng(32)}, {"glomb-16.png", MakeIconPng(16)},
    };
    for (const auto &f : files)
        if (!SaveFile(dir + "/" + f.name, f.data)) {
            std::fprintf(stderr, "artgen: cannot write %s/%s\n", dir.c_str(), f.name);
            return 1;
        }
    for (int size : {48, 64, 128, 256}) {
        std::string name = "glomb-" + std::to_string(size) + ".png";
        if (!SaveFile(dir + "/" + name, MakeLargeIconPng(size))) {
            std::fprintf(stderr, "artgen: cannot write %s/%s\n", dir.c_str(), name.c_str());
            return 1;
        }
    }
    return 0;
}
