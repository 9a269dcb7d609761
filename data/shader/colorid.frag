#version 330 core
// Textured surfaces that carry an explicit ID colour into the second output.

in vec3 vWorldPosition;
in vec3 vViewPosition;
in vec3 vNormal;
in vec4 vColor;
in vec2 vTexCoord;

uniform vec4 uColorID;
uniform sampler2D uTexture;

layout(location = 0) out vec4 fragColor;
layout(location = 1) out vec4 fragSurfaceId;

void main()
{
    fragColor = texture(uTexture, vTexCoord) * vColor;
    fragSurfaceId = uColorID;
}
