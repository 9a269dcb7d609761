#version 330 core
// The highlight pattern in the selection colour, translucent so the block stays visible. It
// leaves the surface-ID image untouched (alpha 0 under blending).

in vec2 vTexCoord;
in float vFacing;

uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

const vec3 SELECTION_TINT = vec3(1.0, 0.72, 0.18);

void main()
{
    vec4 pattern = texture(uTexture, vTexCoord);
    float shade = 0.85 + 0.15 * vFacing;
    fragColor = vec4(pattern.rgb * SELECTION_TINT * shade, 0.25 + 0.5 * pattern.a);
    fragSurfaceId = vec4(0.0);
}
