#version 330 core
// Untextured entities in their vertex colour, lit by the sun, outlined like every entity.

in vec3 vWorldPosition;
in vec3 vViewPosition;
in vec3 vNormal;
in vec4 vColor;
in vec2 vTexCoord;

uniform vec4 uTint;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

const vec3 SUN_DIRECTION = normalize(vec3(0.35, 0.55, 0.75));

void main()
{
    vec3 normal = normalize(vNormal);
    float light = 0.5 + 0.5 * max(dot(normal, SUN_DIRECTION), 0.0);
    vec4 tint = uTint == vec4(0.0) ? vec4(1.0) : uTint;
    fragColor = vec4(vColor.rgb * tint.rgb * light, vColor.a * tint.a);
    fragSurfaceId = vec4(0.5, 0.5, 0.5, 1.0);
}
