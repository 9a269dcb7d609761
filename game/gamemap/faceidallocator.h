#pragma once
// Hands out the face-ID colours of the map mesh: each block face gets its own colour, which the
// editor's picking image reads back to tell faces apart.
#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

namespace Game {

struct FaceIdAllocator {
    // The next fresh colour. Starts at (0, 0, 1), so no face is ever (0, 0, 0), the colour of
    // "nothing" in the picking image; the counter is never reset.
    glm::u8vec3 counter{0, 0, 1};
    // Colours given back for reuse; the last one returned is handed out first.
    std::vector<glm::u8vec3> returned;

    // A returned colour if there is one, else the counter's value; the counter then advances
    // red first, carrying into green (blue never changes).
    glm::u8vec3 next()
    {
        if (!returned.empty()) {
            const glm::u8vec3 colour = returned.back();
            returned.pop_back();
            return colour;
        }
        const glm::u8vec3 colour = counter;
        if (counter.r == 255)
            ++counter.g;
        ++counter.r;
        return colour;
    }

    // next() as a colour in 0..1 per channel, as the map mesh stores it.
    glm::vec3 nextColour() { return glm::vec3(next()) / 255.0f; }
};

} // namespace Game
