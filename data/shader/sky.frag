#version 330 core
// Sky colour from the atlas; near the horizon it fades into the haze that distant blocks fade
// to, so the world's edge blends into the sky. The sky marks its pixels with the ID of white so
// that block silhouettes against it are outlined. uColor is set by the frame; the sky draws in
// the atlas's own colours and keeps it only as a declared input.

in vec2 vTexCoord;
in vec3 vDirection;

uniform vec3 uColor;
uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

const vec3 FOG_COLOR = vec3(0.76, 0.84, 0.92);

void main()
{
    vec3 sky = texture(uTexture, vTexCoord).rgb;
    float height = normalize(vDirection).z;
    float haze = 1.0 - smoothstep(-0.02, 0.18, abs(height));
    fragColor = vec4(mix(sky, FOG_COLOR, haze * 0.6), 1.0);
    fragSurfaceId = vec4(1.0);
}
