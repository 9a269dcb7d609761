#version 330 core
// Map blocks for a deferred variant of the scene: lit colour in the first output, the view-space
// normal and the linear depth in the second.

in vec3 vWorldPosition;
in vec3 vViewPosition;
in vec4 vColor;
in vec2 vTexCoord;
flat in vec3 vFaceId;

uniform sampler2D uTexture;
uniform sampler2D uDetailTexture;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragNormalDepth;

const vec3 SUN_DIRECTION = normalize(vec3(0.35, 0.55, 0.75));

void main()
{
    vec3 worldNormal = normalize(cross(dFdx(vWorldPosition), dFdy(vWorldPosition)));
    vec3 viewNormal = normalize(cross(dFdx(vViewPosition), dFdy(vViewPosition)));
    vec3 pattern = texture(uTexture, vTexCoord).rgb;
    vec3 detail = texture(uDetailTexture, vTexCoord * 0.25).rgb;
    float light = 0.45 + 0.55 * max(dot(worldNormal, SUN_DIRECTION), 0.0);
    fragColor = vec4(vColor.rgb * pattern * mix(vec3(1.0), detail, 0.25) * light, 1.0);
    fragNormalDepth = vec4(viewNormal * 0.5 + 0.5, clamp(-vViewPosition.z / 2000.0, 0.0, 1.0));
}
