// Renders the game's bitmap fonts from a TrueType font with FreeType: one ".fnt" text description
// and one PNG page (page 0) per font, white glyphs whose alpha is the coverage.
//
// Usage: fontmaker [output folder] [TrueType folder]
// Defaults: "data/fonts" and "/usr/share/fonts/truetype/dejavu".
#include <SDL.h>
#include <SDL_image.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct FontSpec {
    const char* name;     // output base name
    const char* face;     // TrueType file inside the TrueType folder
    int pixelHeight;      // nominal size in pixels
    int pageWidth;        // width of the page image
};

// Sizes chosen for their use: menus and scene captions, the editor's top bar, small editor
// labels, and the file browser's rows.
const FontSpec kFonts[] = {
    {"engine_font", "DejaVuSans.ttf", 20, 512},
    {"editorTopBar", "DejaVuSans-Bold.ttf", 15, 512},
    {"editorFontSmall", "DejaVuSans.ttf", 12, 256},
    {"fileBrowser", "DejaVuSans.ttf", 16, 512},
};

constexpr int kPadding = 1;

// Printable ASCII, Latin-1, the typographic marks typed text commonly holds, and U+FFFD, which
// stands in for malformed UTF-8.
std::vector<uint32_t> characterSet()
{
    std::vector<uint32_t> set;
    for (uint32_t c = 32; c <= 126; ++c)
        set.push_back(c);
    for (uint32_t c = 160; c <= 255; ++c)
        set.push_back(c);
    for (uint32_t c : {0x2013u, 0x2014u, 0x2018u, 0x2019u, 0x201Cu, 0x201Du, 0x2022u, 0x2026u, 0x20ACu, 0xFFFDu})
        set.push_back(c);
    return set;
}

struct RenderedGlyph {
    uint32_t id = 0;
    int width = 0;
    int height = 0;
    int xoffset = 0;
    int yoffset = 0;
    int xadvance = 0;
    int x = 0;
    int y = 0;
    std::vector<uint8_t> coverage; // width * height, top row first
};

int roundPixels(FT_Pos value26_6)
{
    return int(std::lround(double(value26_6) / 64.0));
}

bool renderGlyph(FT_Face face, uint32_t id, int base, RenderedGlyph& glyph)
{
    const FT_UInt index = FT_Get_Char_Index(face, id);
    if (index == 0 && id != 32)
        return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.id = id;
    glyph.width = int(bitmap.width);
    glyph.height = int(bitmap.rows);
    glyph.xoffset = slot->bitmap_left;
    glyph.yoffset = base - slot->bitmap_top;
    glyph.xadvance = roundPixels(slot->advance.x);
    glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.height));
    for (int row = 0; row < glyph.height; ++row)
        for (int column = 0; column < glyph.width; ++column)
            glyph.coverage[size_t(row) * glyph.width + column] = bitmap.buffer[row * bitmap.pitch + column];
    return true;
}

// Shelf packing, tallest glyphs first; returns the page height (a power of two).
int packGlyphs(std::vector<RenderedGlyph>& glyphs, int pageWidth)
{
    std::vector<RenderedGlyph*> order;
    for (auto& glyph : glyphs)
        order.push_back(&glyph);
    std::stable_sort(order.begin(), order.end(),
                     [](const RenderedGlyph* a, const RenderedGlyph* b) { return a->height > b->height; });
    int x = kPadding;
    int y = kPadding;
    int shelfHeight = 0;
    for (RenderedGlyph* glyph : order) {
        if (x + glyph->width + kPadding > pageWidth) {
            x = kPadding;
            y += shelfHeight + kPadding;
            shelfHeight = 0;
        }
        glyph->x = x;
        glyph->y = y;
        x += glyph->width + kPadding;
        shelfHeight = std::max(shelfHeight, glyph->height);
    }
    int pageHeight = 16;
    while (pageHeight < y + shelfHeight + kPadding)
        pageHeight *= 2;
    return pageHeight;
}

bool writePage(const std::vector<RenderedGlyph>& glyphs, int width, int height, const std::string& path)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (!surface)
        return false;
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    for (int row = 0; row < height; ++row) {
        uint8_t* line = pixels + size_t(row) * surface->pitch;
        for (int column = 0; column < width; ++column) {
            line[column * 4 + 0] = 255;
            line[column * 4 + 1] = 255;
            line[column * 4 + 2] = 255;
            line[column * 4 + 3] = 0;
        }
    }
    for (const auto& glyph : glyphs)
        for (int row = 0; row < glyph.height; ++row)
            for (int column = 0; column < glyph.width; ++column)
                pixels[size_t(glyph.y + row) * surface->pitch + size_t(glyph.x + column) * 4 + 3] =
                    glyph.coverage[size_t(row) * glyph.width + column];
    const bool saved = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

struct KerningPair {
    uint32_t first;
    uint32_t second;
    int amount;
};

std::vector<KerningPair> kerningPairs(FT_Face face, const std::vector<RenderedGlyph>& glyphs)
{
    std::vector<KerningPair> pairs;
    if (!FT_HAS_KERNING(face))
        return pairs;
    for (const auto& first : glyphs) {
        const FT_UInt left = FT_Get_Char_Index(face, first.id);
        for (const auto& second : glyphs) {
            FT_Vector delta{0, 0};
            if (FT_Get_Kerning(face, left, FT_Get_Char_Index(face, second.id), FT_KERNING_DEFAULT, &delta) != 0)
                continue;
            const int amount = roundPixels(delta.x);
            if (amount != 0)
                pairs.push_back({first.id, second.id, amount});
        }
    }
    return pairs;
}

bool makeFont(FT_Library library, const FontSpec& spec, const std::string& outFolder, const std::string& ttfFolder)
{
    FT_Face face = nullptr;
    const std::string facePath = ttfFolder + "/" + spec.face;
    if (FT_New_Face(library, facePath.c_str(), 0, &face) != 0) {
        std::fprintf(stderr, "fontmaker: cannot open %s\n", facePath.c_str());
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(spec.pixelHeight));
    const int lineHeight = roundPixels(face->size->metrics.height);
    const int base = roundPixels(face->size->metrics.ascender);

    std::vector<RenderedGlyph> glyphs;
    for (uint32_t id : characterSet()) {
        RenderedGlyph glyph;
        if (renderGlyph(face, id, base, glyph))
            glyphs.push_back(std::move(glyph));
        else
            std::fprintf(stderr, "fontmaker: %s lacks U+%04X\n", spec.face, id);
    }
    const int pageHeight = packGlyphs(glyphs, spec.pageWidth);
    const std::vector<KerningPair> pairs = kerningPairs(face, glyphs);
    FT_Done_Face(face);

    const std::string pageName = std::string(spec.name) + "_0.png";
    if (!writePage(glyphs, spec.pageWidth, pageHeight, outFolder + "/" + pageName)) {
        std::fprintf(stderr, "fontmaker: cannot write %s/%s: %s\n", outFolder.c_str(), pageName.c_str(), SDL_GetError());
        return false;
    }

    const std::string descriptionPath = outFolder + "/" + spec.name + ".fnt";
    std::ofstream out(descriptionPath, std::ios::binary);
    out << "info face=\"" << spec.face << "\" size=" << spec.pixelHeight
        << " bold=0 italic=0 charset=\"\" unicode=1 stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing="
        << kPadding << "," << kPadding << "\n";
    out << "common lineHeight=" << lineHeight << " base=" << base << " scaleW=" << spec.pageWidth
        << " scaleH=" << pageHeight << " pages=1 packed=0\n";
    out << "page id=0 file=\"" << pageName << "\"\n";
    out << "chars count=" << glyphs.size() << "\n";
    for (const auto& g : glyphs)
        out << "char id=" << g.id << " x=" << g.x << " y=" << g.y << " width=" << g.width << " height=" << g.height
            << " xoffset=" << g.xoffset << " yoffset=" << g.yoffset << " xadvance=" << g.xadvance
            << " page=0 chnl=15\n";
    out << "kernings count=" << pairs.size() << "\n";
    for (const auto& pair : pairs)
        out << "kerning first=" << pair.first << " second=" << pair.second << " amount=" << pair.amount << "\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "fontmaker: cannot write %s\n", descriptionPath.c_str());
        return false;
    }
    std::printf("%s: %zu glyphs, %zu kerning pairs, page %dx%d, line height %d\n", descriptionPath.c_str(),
                glyphs.size(), pairs.size(), spec.pageWidth, pageHeight, lineHeight);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string outFolder = argc > 1 ? argv[1] : "data/fonts";
    const std::string ttfFolder = argc > 2 ? argv[2] : "/usr/share/fonts/truetype/dejavu";
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "fontmaker: FreeType did not start\n");
        return 1;
    }
    bool ok = true;
    for (const FontSpec& spec : kFonts)
        ok = makeFont(library, spec, outFolder, ttfFolder) && ok;
    FT_Done_FreeType(library);
    return ok ? 0 : 1;
}
