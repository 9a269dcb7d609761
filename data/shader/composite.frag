#version 330 core
// The scene darkened along its outlines, in one pass over the scene image at its own size: a
// pixel lies on an outline when a neighbour in the surface-ID image shows another surface.
// Pixels with alpha 0 (the rope, the gizmo) take no part. Diagonal neighbours count half, which
// softens the line's steps. Texels are fetched whole (no filtering), clamped at the image's edge.

uniform sampler2D uSceneColor;
uniform sampler2D uSurfaceIds;

layout(location = 0) out vec4 fragColor;

const float ID_STEP = 0.5 / 255.0;
const float OUTLINE_DARKNESS = 0.75;

float differs(vec4 centre, ivec2 at, ivec2 last)
{
    vec4 neighbour = texelFetch(uSurfaceIds, clamp(at, ivec2(0), last), 0);
    if (neighbour.a < 0.5)
        return 0.0;
    return any(greaterThan(abs(neighbour.rgb - centre.rgb), vec3(ID_STEP))) ? 1.0 : 0.0;
}

float outline(ivec2 at)
{
    vec4 centre = texelFetch(uSurfaceIds, at, 0);
    if (centre.a < 0.5)
        return 0.0;
    ivec2 last = textureSize(uSurfaceIds, 0) - 1;
    float straight = differs(centre, at + ivec2(1, 0), last) + differs(centre, at + ivec2(-1, 0), last)
                   + differs(centre, at + ivec2(0, 1), last) + differs(centre, at + ivec2(0, -1), last);
    float diagonal = differs(centre, at + ivec2(1, 1), last) + differs(centre, at + ivec2(-1, 1), last)
                   + differs(centre, at + ivec2(1, -1), last) + differs(centre, at + ivec2(-1, -1), last);
    return clamp(straight * 0.5 + diagonal * 0.25, 0.0, 1.0);
}

void main()
{
    ivec2 at = ivec2(gl_FragCoord.xy);
    vec3 scene = texelFetch(uSceneColor, at, 0).rgb;
    fragColor = vec4(scene * (1.0 - OUTLINE_DARKNESS * outline(at)), 1.0);
}
