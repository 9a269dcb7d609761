#include "game/ui/uitextplacement.h"

#include <cmath>

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

} // namespace UI
