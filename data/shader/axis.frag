#version 330 core
// Gizmo handles in their part colour with a little shading for shape. Their pixels take no part
// in the outlines (alpha 0 in the surface-ID image).

in vec3 vWorldPosition;
in vec3 vViewPosition;
in vec3 vNormal;
in vec4 vColor;
in vec2 vTexCoord;

uniform vec4 uColor;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

void main()
{
    vec3 normal = normalize(vNormal);
    float shade = 0.7 + 0.3 * max(dot(normal, normalize(vec3(0.3, 0.4, 0.85))), 0.0);
    fragColor = vec4(uColor.rgb * shade, uColor.a);
    fragSurfaceId = vec4(0.0);
}
