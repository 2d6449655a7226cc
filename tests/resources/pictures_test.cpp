#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

static HMODULE Module()
{
    return GetModuleHandleA(nullptr);
}

static const BYTE *Resource(int id, const char *type)
{
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), type);
    return found ? (const BYTE *)LockResource(LoadResource(Module(), found)) : nullptr;
}

// A bitmap read back as 0x00RRGGBB values, top row first.
struct Pixels {
    int width, height;
    std::vector<DWORD> rgb;
    DWORD At(int x, int y) const { return rgb[y * width + x]; }
};

static Pixels Read(HBITMAP bitmap)
{
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    Pixels p{info.bmWidth, info.bmHeight, std::vector<DWORD>(info.bmWidth * info.bmHeight)};
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, p.height, p.rgb.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return p;
}

static void ExpectFormat(int id, int width, int height, int bits)
{
    const BITMAPINFOHEADER *h = (const BITMAPINFOHEADER *)Resource(id, RT_BITMAP);
    ASSERT_TRUE(h);
    EXPECT_EQ(width, h->biWidth);
    EXPECT_EQ(height, h->biHeight);
    EXPECT_EQ(bits, h->biBitCount);
    EXPECT_EQ((DWORD)BI_RGB, h->biCompression);
    EXPECT_TRUE(h->biClrUsed == 0 || h->biClrUsed == 1u << bits) << "palette not full";
}

static void ExpectEmptyCellBlack(const Pixels &p, int cell)
{
    for (int y = 0; y < cell; y++)
        for (int x = 0; x < cell; x++)
            ASSERT_EQ(0u, p.At(x, y)) << "empty cell not black at " << x << "," << y;
}

// Channel of ball colour 1 (blue), 2 (green) or 3 (red).
static int Channel(DWORD c, int colour)
{
    return c >> (colour - 1) * 8 & 0xFF;
}
static int Sum(DWORD c)
{
    return Channel(c, 1) + Channel(c, 2) + Channel(c, 3);
}
static int Spread(DWORD c)
{
    int r = Channel(c, 3), g = Channel(c, 2), b = Channel(c, 1);
    return std::max({r, g, b}) - std::min({r, g, b});
}

TEST(Sprites, LargeBallsAreOfTheirColourAndPalerAndGreyerWhenHighlighted)
{
    ExpectFormat(IDB_BALLS40, 160, 80, 8);
    Pixels p = Read(LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_BALLS40)));
    ExpectEmptyCellBlack(p, 40);
    for (int colour = 1; colour <= 3; colour++) {
        SCOPED_TRACE(colour);
        // Just below right of the centre, away from the gleam.
        DWORD normal = p.At(colour * 40 + 24, 24), pale = p.At(colour * 40 + 24, 64);
        EXPECT_GT(2 * Channel(normal, colour), Sum(normal)) << "ball not of its colour";
        EXPECT_GT(2 * Channel(pale, colour), Sum(pale) - Channel(pale, colour));
        EXPECT_LT(Spread(pale), Spread(normal)) << "highlight not greyer";
        EXPECT_GT(Sum(pale), Sum(normal)) << "highlight not paler";
        EXPECT_EQ(0u, p.At(colour * 40, 0)) << "ball fills its corner";
        EXPECT_EQ(0u, p.At(colour * 40 + 39, 79)) << "ball fills its corner";
    }
}

TEST(Sprites, SmallDiscsArePureWithAMarginAndHighlightedByABlackCross)
{
    ExpectFormat(IDB_BALLS32, 128, 64, 4);
    const RGBQUAD *palette = (const RGBQUAD *)(Resource(IDB_BALLS32, RT_BITMAP) + 40);
    const DWORD vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                           0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                           0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(vga[i], *(const DWORD *)&palette[i]) << "palette entry " << i;

    Pixels p = Read(LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_BALLS32)));
    ExpectEmptyCellBlack(p, 32);
    for (int colour = 1; colour <= 3; colour++) {
        SCOPED_TRACE(colour);
        const DWORD pure = 0xFF << (colour - 1) * 8;
        int left = colour * 32;
        for (int top : {0, 32}) {
            EXPECT_EQ(pure, p.At(left + 16, top + 8)) << "disc not pure";
            EXPECT_EQ(pure, p.At(left + 1, top + 16)) << "disc not out to the margin";
            EXPECT_EQ(0u, p.At(left, top + 16)) << "no margin on the left";
            EXPECT_EQ(0u, p.At(left + 16, top + 31)) << "no margin below";
        }
        EXPECT_EQ(pure, p.At(left + 15, 15)) << "normal disc crossed";
        for (int k = 0; k < 32; k++) {
            EXPECT_EQ(0u, p.At(left + k, 32 + k)) << "cross broken at " << k;
            EXPECT_EQ(0u, p.At(left + 31 - k, 32 + k)) << "cross broken at " << k;
        }
        EXPECT_EQ(pure, p.At(left + 16, 32 + 14)) << "cross wider than a pixel";
    }
}

TEST(Cursor, HandIs32By32MonochromeWithItsHotspotAtTheFingertip)
{
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(LoadCursorA(Module(), MAKEINTRESOURCEA(IDC_LINK_HAND)), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(12u, info.xHotspot);
    EXPECT_EQ(5u, info.yHotspot);
    EXPECT_FALSE(info.hbmColor) << "not monochrome";
    // A monochrome cursor's mask holds the AND rows above the XOR rows.
    Pixels mask = Read(info.hbmMask);
    ASSERT_EQ(32, mask.width);
    ASSERT_EQ(64, mask.height);
    EXPECT_EQ(0u, mask.At(12, 5) | mask.At(12, 37)) << "hotspot not on the black outline";
    EXPECT_NE(0u, mask.At(12, 4)) << "something above the fingertip";
}

TEST(Icon, HasA32And16PixelImageIn16Colours)
{
    const BYTE *group = Resource(IDI_GLOMB, RT_GROUP_ICON);
    ASSERT_TRUE(group);
    ASSERT_EQ(2, *(const WORD *)(group + 4));
    for (int i = 0; i < 2; i++) {
        const BYTE *entry = group + 6 + 14 * i; // width, height, colours, 0, planes, bits
        EXPECT_EQ(32 >> i, entry[0]);
        EXPECT_EQ(32 >> i, entry[1]);
        EXPECT_EQ(16, entry[2]);
        EXPECT_EQ(4, *(const WORD *)(entry + 6));
    }
}

TEST(Version, FileAndProductAre1_0_0_1)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::vector<char> data(GetFileVersionInfoSizeA(path, nullptr));
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, data.size(), data.data()));
    VS_FIXEDFILEINFO *fixed;
    UINT size;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", (void **)&fixed, &size));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
}

// Without a manifest Windows would redirect the game's registry writes to
// a private copy per user; running as the invoking user keeps one shared
// high-score table.
TEST(Manifest, RunsAsTheInvokingUser)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_TRUE(found) << "no manifest";
    const char *text = (const char *)LockResource(LoadResource(nullptr, found));
    std::string manifest(text, SizeofResource(nullptr, found));
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string::npos);
}
