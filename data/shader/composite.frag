#version 330 core
// The scene darkened along its outlines, in one pass over the scene image at its own size: a
// pixel lies on an outline when a neighbour in the surface-ID image shows another surface.
// Pixels with alpha 0 (the rope, the gizmo) take no part. Diagonal neighbours count half, which
// softens the line's steps. The pass covers the images texel for texel, so each pixel reads its
// texels directly (clamped at the borders), which costs a software renderer far less than
// filtered lookups and gives the same picture.

uniform vec2 uPixelSize; // one texel of the images
uniform sampler2D uSceneColor;
uniform sampler2D uSurfaceIds;

layout(location = 0) out vec4 fragColor;

const float ID_STEP = 0.5 / 255.0;
const float OUTLINE_DARKNESS = 0.75;

ivec2 lastTexel;

vec4 surfaceAt(ivec2 texel)
{
    return texelFetch(uSurfaceIds, clamp(texel, ivec2(0), lastTexel), 0);
}

float differs(vec4 centre, ivec2 texel)
{
    vec4 neighbour = surfaceAt(texel);
    if (neighbour.a < 0.5)
        return 0.0;
    return any(greaterThan(abs(neighbour.rgb - centre.rgb), vec3(ID_STEP))) ? 1.0 : 0.0;
}

float outline(ivec2 at)
{
    vec4 centre = surfaceAt(at);
    if (centre.a < 0.5)
        return 0.0;
    float straight = differs(centre, at + ivec2(1, 0)) + differs(centre, at + ivec2(-1, 0))
                   + differs(centre, at + ivec2(0, 1)) + differs(centre, at + ivec2(0, -1));
    float diagonal = differs(centre, at + ivec2(1, 1)) + differs(centre, at + ivec2(-1, 1))
                   + differs(centre, at + ivec2(1, -1)) + differs(centre, at + ivec2(-1, -1));
    return clamp(straight * 0.5 + diagonal * 0.25, 0.0, 1.0);
}

void main()
{
    lastTexel = ivec2(1.0 / uPixelSize + 0.5) - 1;
    ivec2 at = ivec2(gl_FragCoord.xy);
    vec3 scene = texelFetch(uSceneColor, clamp(at, ivec2(0), lastTexel), 0).rgb;
    fragColor = vec4(scene * (1.0 - OUTLINE_DARKNESS * outline(at)), 1.0);
}
