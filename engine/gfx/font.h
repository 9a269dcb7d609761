#pragma once
// Bitmap fonts in the text form of the ".fnt" description: metrics, glyphs, kerning pairs and the
// page images. Text is laid out from a font by TextMesh (engine/gfx/textmesh.h).
#include "engine/gfx/texture.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace Engine::GFX {

// One "char" line of a description; positions and sizes in page pixels.
struct Glyph {
    int32_t id = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t xoffset = 0;
    int32_t yoffset = 0;
    int32_t xadvance = 0;
    int32_t page = 0;
};

class Font {
public:
    // Reads the description at `path` and loads its page images from the same folder.
    // Returns false (with a console line naming the file) when the font cannot be used; the font
    // is then empty and draws nothing.
    bool loadFromFile(const std::string& path);

    // Parses a description held in memory; `sourceName` names it in console lines. Page images
    // are not loaded. Returns false and leaves the font empty when the description is refused.
    bool parse(std::string_view description, const std::string& sourceName);

    // Loads every page image the description lists from `folder` (ending in "/", or empty).
    // Returns false when page 0 has no texture.
    bool loadPages(const std::string& folder);

    // True once page 0 has a texture: only such a font is drawn.
    bool hasPageTexture(int32_t page) const;
    std::shared_ptr<Texture2D> getPageTexture(int32_t page) const;

    // The glyph of `id`, or nullptr when the font lacks it.
    const Glyph* findGlyph(uint32_t id) const;
    // Kerning amount for the pair, 0 when the table has none.
    int32_t kerningAmount(uint32_t first, uint32_t second) const;

    // "./data/fonts/a.fnt" -> "./data/fonts/"; a path without "/" gives "".
    static std::string folderOf(const std::string& path);

    std::map<std::pair<uint32_t, uint32_t>, int32_t> kerning;
    std::map<uint32_t, Glyph> glyphs;
    std::map<int32_t, std::string> pageFiles;
    int32_t lineHeight = 0;
    int32_t base = 0;
    int32_t scaleWidth = 0;
    int32_t scaleHeight = 0;
    std::map<int32_t, std::shared_ptr<Texture2D>> textures;

private:
    void clear();
};

} // namespace Engine::GFX
