#version 330 core
// The floor grid, fading out with distance so the far grid does not shimmer. Where it is solid
// it marks its pixels with the ID of white, like the sky, so that the parts of blocks buried
// below it show no outlines through it and the blocks standing on it are outlined at their foot.

in vec3 vWorldPosition;
in vec3 vViewPosition;
in vec3 vNormal;
in vec4 vColor;
in vec2 vTexCoord;

uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

const float FADE_START = 40.0;
const float FADE_END = 140.0;

void main()
{
    vec4 grid = texture(uTexture, vTexCoord) * vColor;
    float fade = 1.0 - smoothstep(FADE_START, FADE_END, length(vViewPosition));
    fragColor = vec4(grid.rgb, grid.a * fade);
    fragSurfaceId = vec4(1.0, 1.0, 1.0, step(0.5, fade));
}
