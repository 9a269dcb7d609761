#version 330 core
// The scene darkened along its outlines, in one pass over the scene image at its own size: a
// pixel lies on an outline when a neighbour in the surface-ID image shows another surface.
// Pixels with alpha 0 (the rope, the gizmo) take no part. Diagonal neighbours count half, which
// softens the line's steps. Both images are read through the nearest sampler, texel for texel.

in vec2 vTexCoord;

uniform vec2 uPixelSize;
uniform sampler2D uSceneColor;
uniform sampler2D uSurfaceIds;

layout(location = 0) out vec4 fragColor;

const float ID_STEP = 0.5 / 255.0;
const float OUTLINE_DARKNESS = 0.75;

float differs(vec4 centre, vec2 offset)
{
    vec4 neighbour = texture(uSurfaceIds, vTexCoord + offset * uPixelSize);
    if (neighbour.a < 0.5)
        return 0.0;
    return any(greaterThan(abs(neighbour.rgb - centre.rgb), vec3(ID_STEP))) ? 1.0 : 0.0;
}

float outline()
{
    vec4 centre = texture(uSurfaceIds, vTexCoord);
    if (centre.a < 0.5)
        return 0.0;
    float straight = differs(centre, vec2(1.0, 0.0)) + differs(centre, vec2(-1.0, 0.0))
                   + differs(centre, vec2(0.0, 1.0)) + differs(centre, vec2(0.0, -1.0));
    float diagonal = differs(centre, vec2(1.0, 1.0)) + differs(centre, vec2(-1.0, 1.0))
                   + differs(centre, vec2(1.0, -1.0)) + differs(centre, vec2(-1.0, -1.0));
    return clamp(straight * 0.5 + diagonal * 0.25, 0.0, 1.0);
}

void main()
{
    vec3 scene = texture(uSceneColor, vTexCoord).rgb;
    fragColor = vec4(scene * (1.0 - OUTLINE_DARKNESS * outline()), 1.0);
}
