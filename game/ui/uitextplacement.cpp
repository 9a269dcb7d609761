#include "game/ui/uitextplacement.h"

#include "engine/gfx/font.h"
#include "engine/gfx/textlayout.h"

#include <cmath>
#include <vector>

namespace UI {

glm::vec2 textOrigin(const Component::TransformComponent& element, const Component::UItextComponent& text,
                     bool beingEdited)
{
    const float x = element.position.x;
    const float y = element.position.y;
    const float w = element.scale.x;
    const float h = element.scale.y;
    const float tw = static_cast<float>(text.textMesh.width());
    const float th = static_cast<float>(text.textMesh.height());

    glm::vec2 origin(x, 0.0f);
    if (text.alignX == AlignCentreX)
        origin.x = x + std::floor(w / 2.0f - tw / 2.0f);
    else if (text.alignX == AlignRight)
        origin.x = x + w - tw;

    // The mesh hangs down from its origin, so the top edge is the reference.
    const float top = y + h;
    origin.y = top;
    if (text.alignY == AlignCentreY)
        origin.y = top + std::floor(th / 2.0f - h / 2.0f);
    else if (text.alignY == AlignBottom)
        origin.y = top + th - h;

    origin += text.offset;

    if (text.clipToBox && beingEdited) {
        const float overflow = std::trunc(std::trunc(tw + origin.x) - std::trunc(x + w) + text.clipPadding.x);
        if (overflow > 0.0f)
            origin.x -= overflow;
    }
    return origin;
}

namespace {

float textWidth(const Engine::GFX::Font& font, std::string_view text)
{
    return static_cast<float>(Engine::GFX::layoutText(font, Engine::GFX::utf8ToUtf16(text)).width);
}

} // namespace

std::string fitText(const Engine::GFX::Font& font, const std::string& text, float maxWidth, bool keepEnd)
{
    if (textWidth(font, text) <= maxWidth)
        return text;
    std::vector<size_t> starts; // byte offsets where UTF-8 characters begin
    for (size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80)
            starts.push_back(at);
    }
    const auto shortened = [&](size_t cut) {
        // Characters cut away: `cut` from the front, or all but `cut` kept from the back.
        return keepEnd ? "..." + text.substr(starts[cut]) : text.substr(0, starts[starts.size() - cut]) + "...";
    };
    // The fewest characters cut that make it fit, found by halving.
    size_t low = 1;
    size_t high = starts.size();
    while (low < high) {
        const size_t cut = (low + high) / 2;
        if (textWidth(font, shortened(cut)) <= maxWidth)
            high = cut;
        else
            low = cut + 1;
    }
    return low < starts.size() ? shortened(low) : std::string("...");
}

} // namespace UI
