#version 330 core
// The grappling rope: its vertex colour over the default texture, slightly translucent and lit
// across its width so it reads as round. The second output's alpha is cleared by the rope pass.

in vec3 vWorldPosition;
in vec3 vViewPosition;
in vec3 vNormal;
in vec4 vColor;
in vec2 vTexCoord;

uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

void main()
{
    vec3 normal = normalize(vNormal);
    float rim = 0.55 + 0.45 * abs(normal.z + 0.5 * normal.x);
    vec4 base = texture(uTexture, vTexCoord) * vColor;
    fragColor = vec4(base.rgb * rim, 0.85 * base.a);
    fragSurfaceId = vec4(0.0);
}
